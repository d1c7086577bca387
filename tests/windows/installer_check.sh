#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs binrot silently under Wine as a school's IT would, with the setup program (nsis) or
# the Windows Installer package (msi), and opens the installed program from its Start-menu
# shortcut. While that program runs, it installs again (the package: an upgrade to a higher
# version built from the same sources, then a refused downgrade) and uninstalls, each silently
# and within its time limit, and checks that nothing is left. Whatever way it exits, it ends
# every program it started in the prefix.
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
name="binrot ($edition) - $title"

# The uninstall entries named as binrot's, one paragraph each, exported as UTF-8 text, since
# reg.exe prints non-ASCII text as question marks.
entries() {
    rm -f "$work/entries.reg"
    wine reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
        "$(windows_path "$work/entries.reg")" "/reg:${views[$edition]}" >/dev/null 2>&1 ||
        fail "the list of installed programs cannot be read"
    iconv -f UTF-16 -t UTF-8 "$work/entries.reg" | tr -d '\r' |
        awk -v RS= -v name="\"DisplayName\"=\"$name\"" 'index($0, name)'
}
# One entry, of this version.
check_entry() {
    local found
    found=$(entries)
    [[ $(grep -c '^"DisplayName"=' <<<"$found") == 1 ]] || fail "not one uninstall entry: $found"
    grep -qxF "\"DisplayVersion\"=\"$1\"" <<<"$found" || fail "the entry is not of $1: $found"
}
# The Start-menu shortcut: all users' on Windows; Wine puts a package's in the user's.
shortcut() {
    local menu
    for menu in 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs' \
        'C:\users\'"$(id -un)"'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'; do
        [[ -f $(unix_path "$menu")/$title.lnk ]] && { echo "$menu\\$title.lnk"; return; }
    done
    return 1
}
window_open() { xdotool search --onlyvisible --name "$title" >/dev/null; }
# The shortcut opens the installed program; its output goes to a file, so that a program left
# open does not hold the test's.
open_installed() {
    wine start "$(shortcut)" >"$work/start.log" 2>&1 || fail "the shortcut did not start: $(cat "$work/start.log")"
    timeout 30 xdotool search --sync --onlyvisible --name "$title" >/dev/null ||
        fail "the installed program did not open"
}
# The installed program is the one given, with its shortcut and one entry of the version.
check_installed() {
    installed=$(unix_path "$folder")
    [[ -f $installed/binrot.exe ]] || fail "nothing in $folder"
    cmp -s "$installed/binrot.exe" "$1" || fail "the installed program is not $1"
    shortcut >/dev/null || fail "no Start-menu shortcut"
    check_entry "$2"
}
# Whatever ran the installed program was closed, so that nothing of the old one stays behind.
check_closed() {
    for _ in $(seq 50); do
        window_open || return 0
        sleep 0.1
    done
    fail "the running program stayed open through $1"
}
check_removed() {
    for _ in $(seq 100); do
        [[ -e $installed ]] || shortcut >/dev/null || break
        sleep 0.2
    done
    [[ ! -e $installed ]] || fail "$folder is still there: $(ls -A "$installed")"
    shortcut >/dev/null && fail "the shortcut is still there"
    [[ -z $(entries) ]] || fail "the uninstall entry is still there"
}
program=$(dirname "$installer")/binrot.exe

if [[ $kind == nsis ]]; then
    wine "$installer" /S || fail "the installer failed"
    check_installed "$program" "$version"
    [[ -f $installed/uninstall.exe ]] || fail "no uninstaller in $folder"
    grep -qF 'uninstall.exe\" /S"' <<<"$(entries)" || fail "the entry has no silent uninstall"
    open_installed
    wine "$installer" /S || fail "the installer failed over the running program"
    check_closed "the reinstall"
    check_installed "$program" "$version"
    open_installed
    # The uninstaller runs on from a copy of itself; check_removed waits for its work.
    wine "$folder\\uninstall.exe" /S || fail "the uninstaller failed"
    check_closed "the uninstall"
    check_removed
else
    make_msi=$6
    msiexec() { wine msiexec "$1" "$(windows_path "$2")" /qn; }
    msiexec /i "$installer" || fail "the package failed to install"
    check_installed "$program" "$version"
    # A higher version of the same sources, with a program that differs, to see it replaced.
    cp "$program" "$work/binrot.exe"
    echo upgrade >>"$work/binrot.exe"
    "$make_msi" "$edition" "$version.1" "$title" "$work/binrot.exe" "$7" "$8" "$work/upgrade.msi"
    open_installed
    msiexec /i "$work/upgrade.msi" || fail "the upgrade failed over the running program"
    check_closed "the upgrade"
    check_installed "$work/binrot.exe" "$version.1"
    # Refused, in any of Windows Installer's words for it (Wine keeps 8 bits of 1603).
    msiexec /i "$installer" && fail "an older version was installed over a newer one"
    check_installed "$work/binrot.exe" "$version.1"
    open_installed
    msiexec /x "$work/upgrade.msi" || fail "the package failed to uninstall"
    check_closed "the uninstall"
    check_removed
fi
echo "installer ($kind): silent install, shortcut, uninstall entry, reinstall and uninstall" \
    "over the running program work$([[ $kind == msi ]] && echo ', upgrade and refused downgrade')"
