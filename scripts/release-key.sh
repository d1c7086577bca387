# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that sign with the release key, BINROT_GPG_KEY: gpg as they call it,
# and the key's public half written out for those who check the signatures.

# Never a question, and no trust database to update on a machine whose keys are all its own.
gpg() { command gpg --batch --yes --quiet --no-auto-check-trustdb "$@"; }

# export_release_key FILE: the key's public half in FILE, in the binary form gpgv and apt read.
export_release_key() {
    gpg --export-options export-minimal --output "$1" --export "$BINROT_GPG_KEY"
    # gpg exports nothing, and succeeds, for a key it does not have.
    [[ -s $1 ]] || {
        rm -f "$1"
        echo "$(basename "$0"): no key $BINROT_GPG_KEY in ${GNUPGHOME:-~/.gnupg}" >&2
        exit 1
    }
}
