#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs binrot silently under Wine as a school's IT would, with the setup program (nsis) or
# the Windows Installer package (msi), and opens it from its Start-menu shortcut. While it runs,
# installs again (the package: an upgrade to the same sources as a higher version, then a
# refused downgrade) and uninstalls, which must close it and leave nothing. Whatever way it
# exits, it ends every program it started in the prefix.
# Usage: installer_check.sh path/to/wine.sh x86|x64 version nsis setup.exe
#        installer_check.sh path/to/wine.sh x86|x64 version msi binrot.msi make_msi.sh icon date
#        (on an X server: DISPLAY; binrot.exe beside the installer)
set -euo pipefail
export LC_ALL=C.UTF-8

wine_sh=$1
edition=$2
version=$3
kind=$4
installer=$5
"$wine_sh" "$edition" || exit # 77 with the reason, where the edition does not run here
# Wine's tools too act for the edition: a 32-bit reg cannot see the 64-bit registry.
wine() { BINROT_WINE_TIMEOUT=60 "$wine_sh" "$edition" "$@"; }
# Where each edition goes on 64-bit Windows, which Wine's prefix is, and the registry view its
# uninstall entry is written in.
declare -A folders=([x86]='C:\Program Files (x86)\binrot' [x64]='C:\Program Files\binrot')
declare -A views=([x86]=32 [x64]=64)
folder=${folders[$edition]}
work=$(mktemp -d)
trap '"$wine_sh" --end; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
unix_path() { wine winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_path() { wine winepath -w "$1" 2>/dev/null | tr -d '\r'; }
title='Възможни числа при двоично представяне'
installed=$(unix_path "$folder")

# binrot's uninstall entries, a paragraph each, as UTF-8: reg.exe prints Cyrillic as "?".
entries() {
    wine reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
        "$(windows_path "$work/entries.reg")" "/reg:${views[$edition]}" /y >/dev/null 2>&1 ||
        fail "the installed programs cannot be read"
    iconv -f UTF-16 -t UTF-8 "$work/entries.reg" | tr -d '\r' |
        awk -v RS= -v name="\"DisplayName\"=\"binrot ($edition) - $title\"" 'index($0, name)'
}
# All users' Start menu on Windows; Wine puts a package's shortcut in the user's.
shortcut() {
    local menu
    for menu in 'C:\ProgramData' "C:\\users\\$(id -un)\\AppData\\Roaming"; do
        menu+='\Microsoft\Windows\Start Menu\Programs'
        [[ -f $(unix_path "$menu")/$title.lnk ]] && echo "$menu\\$title.lnk" && return
    done
    return 1
}
# Opens the installed program from its shortcut, its output in a file, not the test's.
open_installed() {
    wine start "$(shortcut)" >"$work/start.log" 2>&1 || fail "no shortcut to start: $(cat "$work/start.log")"
    timeout 30 xdotool search --sync --onlyvisible --name "$title" >/dev/null ||
        fail "the installed program did not open"
}
# The program given, its shortcut and one entry, of the version given.
check_installed() {
    cmp -s "$installed/binrot.exe" "$1" || fail "$folder does not hold $1"
    shortcut >/dev/null || fail "no Start-menu shortcut"
    local found
    found=$(entries)
    [[ $(grep -c '^"DisplayName"=' <<<"$found") == 1 ]] || fail "not one uninstall entry: $found"
    grep -qxF "\"DisplayVersion\"=\"$2\"" <<<"$found" || fail "the entry is not of $2: $found"
}
# Within ten seconds, as the program closed by what ran over it and the uninstaller's copy
# of itself need.
eventually() {
    for _ in $(seq 50); do
        "$@" && return
        sleep 0.2
    done
    return 1
}
closed() { ! xdotool search --onlyvisible --name "$title" >/dev/null; }
removed() { [[ ! -e $installed ]] && ! shortcut >/dev/null && [[ -z $(entries) ]]; }
program=$(dirname "$installer")/binrot.exe

if [[ $kind == nsis ]]; then
    wine "$installer" /S || fail "the installer failed"
    check_installed "$program" "$version"
    grep -qF 'uninstall.exe\" /S"' <<<"$(entries)" || fail "the entry has no silent uninstall"
    open_installed
    wine "$installer" /S || fail "the installer failed over the running program"
    eventually closed || fail "the running program stayed open through the reinstall"
    check_installed "$program" "$version"
    open_installed
    wine "$folder\\uninstall.exe" /S || fail "the uninstaller failed"
else
    msiexec() { wine msiexec "$1" "$(windows_path "$2")" /qn; }
    msiexec /i "$installer" || fail "the package failed to install"
    check_installed "$program" "$version"
    # A program that differs, to see it replaced.
    cp "$program" "$work/binrot.exe"
    echo upgrade >>"$work/binrot.exe"
    "$6" "$edition" "$version.1" "$title" "$work/binrot.exe" "$7" "$8" "$work/upgrade.msi"
    open_installed
    msiexec /i "$work/upgrade.msi" || fail "the upgrade failed over the running program"
    eventually closed || fail "the running program stayed open through the upgrade"
    check_installed "$work/binrot.exe" "$version.1"
    msiexec /i "$installer" && fail "an older version was installed over a newer one"
    check_installed "$work/binrot.exe" "$version.1"
    open_installed
    msiexec /x "$work/upgrade.msi" || fail "the package failed to uninstall"
fi
eventually closed || fail "the running program stayed open through the uninstall"
eventually removed || fail "left behind: $(ls -A "$installed" 2>&1), $(shortcut), $(entries)"
echo "installer ($kind): silent install, shortcut, entry, and a reinstall and an uninstall" \
    "over the running program work$([[ $kind == msi ]] && echo ', upgrade and refused downgrade')"
