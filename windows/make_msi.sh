#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows Installer package of one edition from binrot.wxs with Debian's wixl, the
# same bytes from the same inputs in any folder at any time: wixl takes the package's times from
# the clock and its package code from chance, so the clock is stopped at the commit's time
# (SOURCE_DATE_EPOCH, else the release date) and the codes are drawn from the inputs.
# Usage: make_msi.sh x86|x64 version title binrot.exe close_binrot.exe binrot.ico release-date
#            out.msi
set -euo pipefail

edition=$1
version=$2
title=$3
program=$4
closer=$5
icon=$6
when=${SOURCE_DATE_EPOCH:-$(date -u -d "$7" +%s)}
out=$8
wxs=$(dirname "$0")/binrot.wxs
declare -A platforms=([x86]=Intel [x64]=x64) others=([x86]=X64 [x64]=X86)
platform=${platforms[$edition]:?"make_msi.sh: no edition $edition: x86 or x64"}
# An edition's UpgradeCode, as binrot.wxs defines it.
upgrade_code() { sed -n "s/^ *<?define UpgradeCode$1 = \"\(.*\)\" ?>\$/\1/p" "$wxs"; }

# A name-based UUID (version 5 layout) from the SHA-256 of its words.
uuid() {
    local h
    h=$(printf '%s\n' "$@" | sha256sum | tr a-f A-F)
    printf '%s-%s-5%s-%X%s-%s\n' "${h:0:8}" "${h:8:4}" "${h:13:3}" $(((16#${h:16:1} & 3) | 8)) \
        "${h:17:3}" "${h:20:12}"
}
# The product code names one version of one edition; the package code one build of it.
product_code=$(uuid binrot "$edition" "$version")
package_code=$(uuid "$product_code" "$title" "$when" \
    "$(cat "$wxs" "$0" "$program" "$closer" "$icon" | sha256sum)")

# wixl finds files only beside the source, and the cabinet keeps the program's file time.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$wxs" "$work/binrot.wxs"
cp "$program" "$work/binrot.exe"
cp "$icon" "$work/binrot.ico"
cp "$closer" "$work/close_binrot.exe"
touch -d "@$when" "$work/binrot.exe" "$work/binrot.ico"
printf '<?xml version="1.0" encoding="utf-8"?>\n<Include><?define Title = "%s" ?></Include>\n' \
    "$title" >"$work/title.wxi"
# wixl's table of strings has no code page of its own, so Windows would read the Bulgarian names
# in the PC's ANSI code page; this table gives them Windows-1251.
printf '\n\n1251\t_ForceCodepage\n' >"$work/_ForceCodepage.idt"

# The program's version, from its version resource (VS_FIXEDFILEINFO, after its signature), so
# that Windows Installer's rules for versioned files apply to it.
file_version() {
    local at
    at=$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe' "$1" | head -n 1 | cut -d: -f1)
    [[ -n $at ]] || { echo "make_msi.sh: $1 has no version resource" >&2; return 1; }
    od -An -tu2 -j $((at + 8)) -N 8 "$1" | awk '{ print $2 "." $1 "." $4 "." $3 }'
}
program_version=$(file_version "$program")

# The order of the actions that matter, which wixl may not change unseen: the refusals and
# FindRelatedProducts first, then the earlier installations' removal and the close, before
# anything is validated, removed or replaced.
expected_order="FindRelatedProducts AppSearch LaunchConditions CostFinalize FindCmd RemoveSetup32
RemoveSetup64 CloseBinrot InstallValidate RemoveExistingProducts InstallInitialize RemoveFiles
InstallFiles"

# Both tools write the Cyrillic texts in the code page of this language, and fail without it.
export WINDOWS_LANGUAGE=bg
# Stopped, not started there: a slow run must not cross into the next second.
clock=(faketime -f "$(date -u -d "@$when" '+%Y-%m-%d %H:%M:%S')")
export TZ=UTC LC_ALL=C.UTF-8
(
    cd "$work"
    "${clock[@]}" wixl -a "$edition" -D Edition="$edition" -D Version="$version" \
        -D ProductCode="$product_code" -D UpgradeCode="$(upgrade_code "${edition^^}")" \
        -D OtherUpgradeCode="$(upgrade_code "${others[$edition]}")" -o binrot.msi binrot.wxs
    # What wixl cannot write: an action that runs a program of the Binary table, 2 with 64
    # (its failure ignored: Windows Installer then replaces the file at the next restart), and
    # the program's version and language.
    msiinfo export binrot.msi CustomAction >CustomAction.idt
    printf 'CloseBinrot\t66\tclose_binrot.exe\t"[INSTALLDIR]."\t\n' >>CustomAction.idt
    msiinfo export binrot.msi File |
        awk -F '\t' -v OFS='\t' -v version="$program_version" \
            'NR > 3 && $1 == "binrot.exe" { $5 = version; $6 = "1026" } { print }' >File.idt
    "${clock[@]}" msibuild binrot.msi -i _ForceCodepage.idt -i CustomAction.idt -i File.idt \
        -s "binrot ($edition) - $title" binrot "$platform;1026" "{$package_code}"
    order=$(msiinfo export binrot.msi InstallExecuteSequence | tail -n +4 | tr -d '\r' |
        sort -t $'\t' -k3,3n | cut -f1 | grep -xF -f <(tr ' ' '\n' <<<"$expected_order") | xargs)
    [[ $order == "$(xargs <<<"$expected_order")" ]] ||
        { echo "make_msi.sh: the actions are out of order: $order" >&2; exit 1; }
)
mv "$work/binrot.msi" "$out"
