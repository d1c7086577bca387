#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Adds apt repositories of binrot, signed with a throwaway key and served on the loopback
# address, as a lab's administrator does. apt must refuse a list changed after signing, install
# binrot (whose window then opens) and upgrade it to a newer version built from the same sources.
# Usage: apt_repository_check.sh binrot_..._amd64.deb binrot_..._arm64.deb   (as root)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$here/../..
sources=/etc/apt/sources.list.d/binrot.sources keyring=/etc/apt/keyrings/binrot-archive-keyring.gpg
[[ ! -e $sources && ! -e $keyring ]] || { echo "FAIL: binrot's apt repository is already added here" >&2; exit 1; }
"$source/scripts/setup" apt-repository test # and the window check's
work=$(mktemp -d)
export GNUPGHOME=$work/gnupg BINROT_GPG_KEY=test@binrot.invalid SOURCE_DATE_EPOCH=$(date +%s)
trap '[[ -z ${server:-} ]] || kill "$server"; gpgconf --kill gpg-agent; apt-get purge -y -q binrot >/dev/null 2>&1
    rm -rf "$sources" "$keyring" /var/lib/apt/lists/127.0.0.1:"${port:-}"_* "$work"' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }
installed() { dpkg-query -W -f='${Status} ${Version}' binrot 2>/dev/null | sed -n 's/^install ok installed //p'; }
update() { apt-get update -q >"$work/update.log" 2>&1; }

mkdir -m 700 "$GNUPGHOME" && mkdir -p "$work/www/binrot"
gpg --batch --passphrase '' --quick-generate-key "binrot test <$BINROT_GPG_KEY>" rsa3072 sign never 2>/dev/null
/usr/bin/python3 -u -m http.server --bind 127.0.0.1 --directory "$work/www" 0 >"$work/server.log" 2>&1 &
server=$!
for _ in $(seq 100); do
    port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$work/server.log") && [[ -n $port ]] && break
    sleep 0.1
done
[[ -n $port ]] || fail "the web server does not start: $(cat "$work/server.log")"
# repository NAME DEB ...: a repository of the packages in the folder NAME, served at once.
repository() {
    "$source/scripts/apt-repository" "$work/$1" "http://127.0.0.1:$port/binrot/apt/" 12 13 -- "${@:2}" >/dev/null
    ln -sfn "$work/$1" "$work/www/binrot/apt"
}
repository first "$1" "$2"
for list in "$work"/first/dists/*/main/binary-arm64/Packages; do
    grep -qzP "Package: binrot\nArchitecture: arm64\n(.*\n)*Filename: pool/main/b/binrot/$(basename "$2")\nSize: \
$(stat -c %s "$2")\n(.*\n)*SHA256: $(sha256sum <"$2" | cut -c 1-64)\n" "$list" ||
        fail "${list#"$work"/} does not name the arm64 package with its size and checksum"
done

# The administrator's lines, as root.
(cd "$work/first" && install -m 644 binrot-archive-keyring.gpg /etc/apt/keyrings/ &&
    sed "s/^Suites:.*/Suites: $(. /etc/os-release && echo "$VERSION_CODENAME")/" binrot.sources >"$sources")

# A package list changed after signing: apt takes nothing from the repository.
cp -a "$work/first" "$work/changed" && ln -sfn "$work/changed" "$work/www/binrot/apt"
for list in "$work"/changed/dists/*/main/binary-amd64/Packages; do
    sed -i "s/^Version: .*/Version: 99/" "$list" && gzip -n -9 -f -k "$list"
done
! update && grep -qE "127\.0\.0\.1:$port/.*(Hash Sum mismatch|unexpected size)" "$work/update.log" ||
    fail "apt-get update takes a changed package list, or fails otherwise: $(grep '^E:' "$work/update.log")"
! apt-get install -y -q binrot >/dev/null 2>&1 && [[ -z $(installed) ]] || fail "binrot installed from a changed list"

# The signed repository: apt-get installs binrot from it, and its window opens.
ln -sfn "$work/first" "$work/www/binrot/apt"
update || fail "apt-get update: $(grep '^E:' "$work/update.log")"
"$here/installed_package_check.sh" binrot

# A newer version, built from the same sources, comes with apt-get upgrade.
version=$(dpkg-deb -f "$1" Version) newer=$(dpkg-deb -f "$1" Version).1
mkdir "$work/newer" && tar -C "$source" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/newer" -xf -
sed -i "s/^\( *VERSION \)$version\$/\1$newer/" "$work/newer/CMakeLists.txt"
printf 'binrot (%s) unstable; urgency=medium\n\n  * A newer version.\n\n -- %s  %s\n\n%s\n' "$newer" \
    "$(sed -n 's/^ -- \(.*>\)  .*/\1/p;T;q' "$source/debian/changelog")" "$(date -uR)" \
    "$(cat "$source/debian/changelog")" >"$work/newer/debian/changelog"
package=$("$work/newer/scripts/package" 2>"$work/package.log" | tail -n 1) ||
    { tail -n 30 "$work/package.log" >&2 && fail "no package of version $newer"; }
DEBIAN_FRONTEND=noninteractive apt-get install -y -q binrot >/dev/null
[[ $(installed) == "$version" ]] || fail "binrot $version is not installed from the first repository"
repository second "$package"
update || fail "apt-get update: $(grep '^E:' "$work/update.log")"
DEBIAN_FRONTEND=noninteractive apt-get upgrade -y -q >/dev/null
dpkg -s binrot | grep -x "Version: $newer" || fail "apt-get upgrade left binrot $(installed), not $newer"
apt-cache policy binrot
echo "binrot $version installed from its apt repository and upgraded to $newer; a changed list is refused"
