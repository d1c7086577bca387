#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Gives one Windows file of the build (a program, the uninstaller, a setup program or a package)
# its Authenticode signature, in place, SHA-256, named "binrot" and, where BINROT_SITE is set,
# with the publisher's address. With a key it signs the file and keeps the signature as PEM in
# BINROT_SIGNATURES/NAME.pem; without one it attaches the signature kept there, which must have
# been made for these very bytes. Both give the same signed file, so that a rebuild of the
# unsigned sources with the published signatures gives the published downloads.
# The key: BINROT_SIGN_PKCS12, a .p12/.pfx file holding it with its certificate chain, or, on a
# token, BINROT_SIGN_PKCS11_MODULE, BINROT_SIGN_PKCS11_KEY (a pkcs11: URI) and BINROT_SIGN_CERTS
# (the PEM chain). BINROT_SIGN_PASSWORD_FILE holds the file's password or the token's PIN;
# BINROT_SIGN_TIMESTAMP_URL, an RFC 3161 server, timestamps every signature.
# Usage: authenticode.sh file name   (name: the signature's, such as x64/binrot.exe)
set -euo pipefail

file=$1
name=$2
fail() {
    echo "authenticode.sh: $name: $*" >&2
    exit 1
}
[[ -n ${BINROT_SIGNATURES:-} ]] || fail "BINROT_SIGNATURES names no folder for the signatures"
signature=$BINROT_SIGNATURES/$name.pem
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
signed=$work/signed

if [[ -n ${BINROT_SIGN_PKCS12:-} ]]; then
    key=(-pkcs12 "$BINROT_SIGN_PKCS12")
elif [[ -n ${BINROT_SIGN_PKCS11_MODULE:-} ]]; then
    [[ -n ${BINROT_SIGN_PKCS11_KEY:-} && -n ${BINROT_SIGN_CERTS:-} ]] ||
        fail "a key on a token needs BINROT_SIGN_PKCS11_KEY and BINROT_SIGN_CERTS too"
    key=(-pkcs11module "$BINROT_SIGN_PKCS11_MODULE" -key "$BINROT_SIGN_PKCS11_KEY"
        -certs "$BINROT_SIGN_CERTS")
fi

if [[ -n ${key:-} ]]; then
    options=(-h sha256 -n binrot)
    # The password is read from its file, so that it reaches no command line.
    [[ -z ${BINROT_SIGN_PASSWORD_FILE:-} ]] || options+=(-readpass "$BINROT_SIGN_PASSWORD_FILE")
    [[ -z ${BINROT_SITE:-} ]] || options+=(-i "https://$BINROT_SITE/")
    [[ -z ${BINROT_SIGN_TIMESTAMP_URL:-} ]] || options+=(-ts "$BINROT_SIGN_TIMESTAMP_URL")
    # The commit's time as the signing time, so that the same key signs the same bytes alike.
    [[ -z ${SOURCE_DATE_EPOCH:-} ]] || options+=(-time "$SOURCE_DATE_EPOCH")
    log=$(osslsigncode sign "${key[@]}" "${options[@]}" -in "$file" -out "$signed" 2>&1) ||
        fail "not signed: $log"
    mkdir -p "$(dirname "$signature")"
    rm -f "$signature" # osslsigncode writes no file that exists
    log=$(osslsigncode extract-signature -pem -in "$signed" -out "$signature" 2>&1) ||
        fail "its signature could not be kept: $log"
else
    [[ -f $signature ]] || fail "no key given, and no signature in $BINROT_SIGNATURES"
    # Its exit code is no verdict: it fails where it cannot trust the chain, and writes the file
    # even where the bytes differ. The digest it reads in the signature and the one it computes
    # of this file are: a program's "message digest", a package's "DigitalSignature".
    log=$(osslsigncode attach-signature -sigin "$signature" -in "$file" -out "$signed" 2>&1) || true
    digest() {
        sed -nE "s/^$1 (message digest|DigitalSignature) *: *([0-9A-F]{64}).*/\2/p" <<<"$log" |
            head -n 1
    }
    current=$(digest Current)
    [[ -n $current && $current == "$(digest Calculated)" && -s $signed ]] ||
        fail "this build differs from the file its signature was made for"
fi
chmod --reference="$file" "$signed"
mv "$signed" "$file"
