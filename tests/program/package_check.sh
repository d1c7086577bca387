#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a configured build tree and checks its dependencies and files.
# Usage: package_check.sh build-dir app-id
set -euo pipefail

build=$1
id=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; exit 1; }
deb=$(ls "$out"/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for needed in libqt6widgets6 libstdc++6 fonts-liberation2; do
    [[ $depends == *"$needed"* ]] || { echo "FAIL: Depends lacks $needed: $depends" >&2; exit 1; }
done
for needed in ./usr/bin/binrot "./usr/share/applications/$id.desktop" \
    "./usr/share/metainfo/$id.metainfo.xml" "./usr/share/icons/hicolor/32x32/apps/$id.png"; do
    grep -qxF "$needed" <<<"$files" || { echo "FAIL: the package lacks $needed" >&2; exit 1; }
done
echo "$(basename "$deb"): Depends: $depends"
