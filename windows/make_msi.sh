#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows Installer package of one edition from binrot.wxs with Debian's wixl, the
# same bytes from the same inputs in any folder at any time: wixl takes the package's times from
# the clock and its package code from chance, so the clock is stopped at the commit's time
# (SOURCE_DATE_EPOCH, else the release date) and the codes are drawn from the inputs.
# Usage: make_msi.sh x86|x64 version title binrot.exe binrot.ico release-date out.msi
set -euo pipefail

edition=$1
version=$2
title=$3
program=$4
icon=$5
when=${SOURCE_DATE_EPOCH:-$(date -u -d "$6" +%s)}
out=$7
wxs=$(dirname "$0")/binrot.wxs
declare -A platforms=([x86]=Intel [x64]=x64)
platform=${platforms[$edition]:?"make_msi.sh: no edition $edition: x86 or x64"}

# A name-based UUID (version 5 layout) from the SHA-256 of its words.
uuid() {
    local h
    h=$(printf '%s\n' "$@" | sha256sum | tr a-f A-F)
    printf '%s-%s-5%s-%X%s-%s\n' "${h:0:8}" "${h:8:4}" "${h:13:3}" $(((16#${h:16:1} & 3) | 8)) \
        "${h:17:3}" "${h:20:12}"
}
# The product code names one version of one edition; the package code one build of it.
product_code=$(uuid binrot "$edition" "$version")
package_code=$(uuid "$product_code" "$title" "$when" "$(cat "$wxs" "$program" "$icon" | sha256sum)")

# wixl finds files only beside the source, and the cabinet keeps the program's file time.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$wxs" "$work/binrot.wxs"
cp "$program" "$work/binrot.exe"
cp "$icon" "$work/binrot.ico"
touch -d "@$when" "$work/binrot.exe" "$work/binrot.ico"
printf '<?xml version="1.0" encoding="utf-8"?>\n<Include><?define Title = "%s" ?></Include>\n' \
    "$title" >"$work/title.wxi"
# wixl's table of strings has no code page of its own, so Windows would read the Bulgarian names
# in the PC's ANSI code page; this table gives them Windows-1251.
printf '\n\n1251\t_ForceCodepage\n' >"$work/_ForceCodepage.idt"

# Both tools write the Cyrillic texts in the code page of this language, and fail without it.
export WINDOWS_LANGUAGE=bg
# Stopped, not started there: a slow run must not cross into the next second.
clock=(faketime -f "$(date -u -d "@$when" '+%Y-%m-%d %H:%M:%S')")
export TZ=UTC LC_ALL=C.UTF-8
(
    cd "$work"
    "${clock[@]}" wixl -a "$edition" -D Edition="$edition" -D Version="$version" \
        -D ProductCode="$product_code" -o binrot.msi binrot.wxs
    "${clock[@]}" msibuild binrot.msi -i _ForceCodepage.idt \
        -s "binrot ($edition) - $title" binrot "$platform;1026" "{$package_code}"
)
mv "$work/binrot.msi" "$out"
