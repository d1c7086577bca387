#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs binrot silently under Wine as a school's IT would, opens the installed program from
# its Start-menu shortcut, then uninstalls it silently and checks that nothing is left. Whatever
# way it exits, it ends every program it started in the prefix.
# Usage: installer_check.sh path/to/wine.sh x86|x64 version path/to/setup.exe
#        (on an X server: DISPLAY)
set -euo pipefail
export LC_ALL=C.UTF-8

wine_sh=$1
edition=$2
version=$3
setup=$4
# Wine's tools too act for the edition: a 32-bit taskkill cannot see a 64-bit program.
wine() { "$wine_sh" "$edition" "$@"; }
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
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\binrot'
# Exported, since reg.exe prints non-ASCII text as question marks.
registered() {
    rm -f "$work/entry.reg"
    wine reg export "$key" "$(wine winepath -w "$work/entry.reg" | tr -d '\r')" \
        "/reg:${views[$edition]}" >/dev/null 2>&1 && iconv -f UTF-16 -t UTF-8 "$work/entry.reg" | tr -d '\r'
}

title='Възможни числа при двоично представяне'
shortcut=$(unix_path 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')/$title.lnk

wine "$setup" /S || {
    status=$?
    ((status == 77)) && exit 77 # this machine runs no programs of the edition
    fail "the installer failed"
}
installed=$(unix_path "$folder")
[[ -f $installed/binrot.exe && -f $installed/uninstall.exe ]] || fail "nothing in $folder"
cmp -s "$installed/binrot.exe" "$(dirname "$setup")/binrot.exe" || fail "the installed program differs"
[[ -f $shortcut ]] || fail "no Start-menu shortcut"
entry=$(registered) || fail "no uninstall entry"
for value in "\"DisplayName\"=\"binrot ($edition) - $title\"" \
    "\"DisplayVersion\"=\"$version\"" 'uninstall.exe\" /S"'; do
    grep -qF "$value" <<<"$entry" || fail "the uninstall entry lacks $value: $entry"
done

# The shortcut opens the installed program, which then closes as Windows asks it to.
# Its output goes to a file: a program left open must not hold the test's output.
wine start "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\$title.lnk" \
    >"$work/start.log" 2>&1 || fail "the shortcut did not start: $(cat "$work/start.log")"
timeout 30 xdotool search --sync --onlyvisible --name "$title" >/dev/null ||
    fail "the installed program did not open"
wine taskkill /im binrot.exe >/dev/null 2>&1 || fail "the installed program would not close"
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "$title" >/dev/null || break
    sleep 0.1
done

# The uninstaller runs on from a copy of itself, so its work is waited for.
wine "$folder\\uninstall.exe" /S || fail "the uninstaller failed"
for _ in $(seq 100); do
    [[ -e $installed || -e $shortcut ]] || break
    sleep 0.2
done
[[ ! -e $installed ]] || fail "$folder is still there"
[[ ! -e $shortcut ]] || fail "the shortcut is still there"
registered >/dev/null && fail "the uninstall entry is still there"
echo "installer: silent install, shortcut, uninstall entry and silent uninstall work"
