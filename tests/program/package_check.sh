#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package with scripts/package (which runs lintian on it) and checks its
# version, dependencies, files and the hardening of its binary; for this machine's architecture,
# or cross-built for the one named.
# Usage: package_check.sh version app-id [architecture]
set -euo pipefail

version=$1
id=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
deb=$("$root/scripts/package" ${3:+--arch "$3"} | tail -n 1)
log=$(dirname "$deb")/build.log
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] ||
    fail "package version $(dpkg-deb -f "$deb" Version), not $version"
[[ $(dpkg-deb -f "$deb" Architecture) == "${3:-$(dpkg --print-architecture)}" ]] ||
    fail "package architecture $(dpkg-deb -f "$deb" Architecture), not ${3:-native}"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libstdc++6 fonts-liberation2 qt6-translations-l10n; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[[ $depends != *qt6-qpa-plugins* ]] || fail "Depends names qt6-qpa-plugins, which binrot does not use"
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for needed in ./usr/bin/binrot "./usr/share/applications/$id.desktop" \
    "./usr/share/metainfo/$id.metainfo.xml" "./usr/share/icons/hicolor/32x32/apps/$id.png" \
    "./usr/share/icons/hicolor/scalable/apps/$id.svg" ./usr/share/man/man1/binrot.1.gz \
    ./usr/share/man/bg/man1/binrot.1.gz ./usr/share/doc/binrot/copyright \
    ./usr/share/doc/binrot/changelog.gz; do
    grep -qxF "$needed" <<<"$files" || fail "the package lacks $needed"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
binary=$work/usr/bin/binrot
sections=$(readelf -SW "$binary")
dynamic=$(readelf -dW "$binary")
symbols=$(readelf --dyn-syms -W "$binary")
grep -qE '\.(symtab|debug_info) ' <<<"$sections" && fail "the binary is not stripped"
grep -q 'FLAGS_1.*PIE' <<<"$dynamic" || fail "the binary is not position-independent"
readelf -lW "$binary" | grep -c GNU_RELRO >/dev/null || fail "the binary has no RELRO"
grep -qE 'BIND_NOW|FLAGS_1.* NOW' <<<"$dynamic" || fail "the binary is not bound now"
grep -q __stack_chk_fail <<<"$symbols" || fail "the binary has no stack protector"
# Fortified calls show only where the code makes one, so the compiler's flags are checked.
compiles=$(grep -E ' -o [^ ]+\.cpp\.o -c ' "$log") || fail "no compile command in $log"
grep -v -e -D_FORTIFY_SOURCE= <<<"$compiles" | grep -q . && fail "a source built without _FORTIFY_SOURCE"
echo "$(basename "$deb"): lintian clean, stripped, PIE, full RELRO, stack protector, fortified; Depends: $depends"
