#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Serves apt repositories of binrot, signed with a throwaway key, from a web server on the
# loopback address, and adds them to this machine as a lab administrator does. Checks that apt
# refuses a package list changed after signing, that it installs binrot from the repository
# (whose window then opens), that it upgrades to a newer version built from the same sources,
# and that the arm64 list names the arm64 package. Removes all it added.
# Usage: apt_repository_check.sh binrot_..._amd64.deb binrot_..._arm64.deb   (as root)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
amd64=$(realpath "$1")
arm64=$(realpath "$2")
sources=/etc/apt/sources.list.d/binrot.sources
keyring=/etc/apt/keyrings/binrot-archive-keyring.gpg
[[ ! -e $sources && ! -e $keyring ]] || { echo "FAIL: binrot's apt repository is already added here" >&2; exit 1; }
"$source/scripts/setup" apt-repository test # and the window check's

work=$(mktemp -d)
export GNUPGHOME=$work/gnupg
trap '[[ -z ${server:-} ]] || kill "$server"; gpgconf --kill gpg-agent
    apt-get purge -y -q binrot >/dev/null 2>&1; rm -f "$sources" "$keyring" /var/lib/apt/lists/127.0.0.1:"${port:-}"_*
    rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
version=$(dpkg-deb -f "$amd64" Version)
export SOURCE_DATE_EPOCH=$(date +%s) # the repositories' date

mkdir -m 700 "$GNUPGHOME" && mkdir -p "$work/www/binrot"
gpg --batch --passphrase '' --quick-generate-key 'binrot test <test@binrot.invalid>' rsa3072 sign never \
    2>"$work/gpg.log" || { cat "$work/gpg.log" >&2; exit 1; }
export BINROT_GPG_KEY=test@binrot.invalid
/usr/bin/python3 -u -m http.server --bind 127.0.0.1 --directory "$work/www" 0 >"$work/server.log" 2>&1 &
server=$!
for _ in $(seq 100); do
    port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$work/server.log")
    [[ -z $port ]] || break
    sleep 0.1
done
[[ -n $port ]] || fail "the web server did not start: $(cat "$work/server.log")"

# repository NAME DEB ...: a repository of the packages, for Debian 12 and 13, in the folder
# NAME; serve NAME: the one the web server gives.
repository() {
    local name=$1
    shift
    "$source/scripts/apt-repository" "$work/$name" "http://127.0.0.1:$port/binrot/apt/" 12 13 -- "$@" >/dev/null
}
serve() { ln -sfn "$work/$1" "$work/www/binrot/apt"; }
installed() { dpkg-query -W -f='${Status} ${Version}' binrot 2>/dev/null | sed -n 's/^install ok installed //p'; }
repository first "$amd64" "$arm64"

# The arm64 list names the arm64 package, with its size and checksum, and the signed Release
# names the list's checksum.
for list in "$work"/first/dists/*/main/binary-arm64/Packages; do
    for field in "Package: binrot" "Architecture: arm64" "Filename: pool/main/b/binrot/$(basename "$arm64")" \
        "Size: $(stat -c %s "$arm64")" "SHA256: $(sha256sum <"$arm64" | cut -d ' ' -f 1)"; do
        grep -qxF "$field" "$list" || fail "${list#"$work"/} lacks '$field'"
    done
    [[ $(grep -c '^Package:' "$list") -eq 1 ]] || fail "${list#"$work"/} names another package too"
    gpgv --keyring "$work/first/binrot-archive-keyring.gpg" --output - "${list%/main/*}/InRelease" 2>/dev/null |
        grep -qE "^ $(sha256sum <"$list" | cut -d ' ' -f 1) +[0-9]+ main/binary-arm64/Packages$" ||
        fail "the signed Release of ${list#"$work"/} does not name its checksum"
done

# The administrator's lines, as root, with the files of the repository's folder.
(
    cd "$work/first"
    install -m 644 binrot-archive-keyring.gpg /etc/apt/keyrings/
    sed "s/^Suites:.*/Suites: $(. /etc/os-release && echo "$VERSION_CODENAME")/" binrot.sources >"$sources"
)

# A package list changed after signing: apt takes nothing from the repository.
cp -a "$work/first" "$work/changed"
for list in "$work"/changed/dists/*/main/binary-amd64/Packages; do
    sed -i "s/^Version: .*/Version: 99/" "$list"
    gzip -n -9 -f -k "$list"
done
serve changed
if apt-get update -q >"$work/update.log" 2>&1; then
    fail "apt-get update takes a changed package list"
fi
grep -qE "127\.0\.0\.1:$port/.*(Hash Sum mismatch|unexpected size)" "$work/update.log" ||
    fail "apt-get update failed, but not on the changed list: $(grep '^[EW]:' "$work/update.log")"
! apt-get install -y -q binrot >/dev/null 2>&1 && [[ -z $(installed) ]] ||
    fail "binrot was installed from a changed package list"

# The signed repository: installed with apt, its window opens.
serve first
apt-get update -q >"$work/update.log" 2>&1 || fail "apt-get update: $(grep '^[EW]:' "$work/update.log")"
"$here/installed_package_check.sh" binrot

# A newer version, built from the same sources, comes with apt-get upgrade.
newer=$version.1
mkdir "$work/newer"
tar -C "$source" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/newer" -xf -
sed -i "s/^\( *VERSION \)$version\$/\1$newer/" "$work/newer/CMakeLists.txt"
maintainer=$(sed -n 's/^ -- \(.*>\)  .*/\1/p;T;q' "$work/newer/debian/changelog")
{
    printf 'binrot (%s) unstable; urgency=medium\n\n  * A newer version.\n\n -- %s  %s\n\n' \
        "$newer" "$maintainer" "$(date -uR)"
    cat "$source/debian/changelog"
} >"$work/newer/debian/changelog"
package=$("$work/newer/scripts/package" 2>"$work/package.log" | tail -n 1) ||
    { tail -n 30 "$work/package.log" >&2; fail "no package of version $newer"; }
repository second "$package"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q binrot >/dev/null
[[ $(installed) == "$version" ]] || fail "binrot $version is not installed from the first repository"
serve second
apt-get update -q >"$work/update.log" 2>&1 || fail "apt-get update: $(grep '^[EW]:' "$work/update.log")"
DEBIAN_FRONTEND=noninteractive apt-get upgrade -y -q >/dev/null
[[ $(installed) == "$newer" ]] || fail "apt-get upgrade left binrot $(installed), not $newer"
dpkg -s binrot | grep -x "Version: $newer"
apt-cache policy binrot
echo "binrot $version installed from its apt repository and upgraded to $newer; a changed list is refused"
