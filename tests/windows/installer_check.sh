#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs binrot silently under Wine as a school's IT would, with the setup program (nsis) or
# the Windows Installer package (msi), and opens it from its Start-menu shortcut. While it runs,
# installs again (the package: an upgrade to the same sources as a higher version, then a
# refused downgrade) and uninstalls as a deployment tool does, which must close it and leave
# nothing once the command has returned. A copy of binrot.exe running from another folder must
# live through it all. "both" installs with the setup program, then the package, which takes
# over; the setup program then refuses; where the other edition's package is given and runs
# here, it is installed first and replaced too. BINROT_INSTALLED_CHECK, a command line, checks each
# program first installed too. Whatever way it exits, it ends every program it started in the
# prefix.
# Usage: installer_check.sh path/to/wine.sh x86|x64 version nsis setup.exe
#        installer_check.sh path/to/wine.sh x86|x64 version msi binrot.msi make_msi.sh icon date
#        installer_check.sh path/to/wine.sh x86|x64 version both setup.exe binrot.msi other.msi
#        (on an X server: DISPLAY; binrot.exe and close_binrot.exe beside the installer)
set -euo pipefail
export LC_ALL=C.UTF-8

wine_sh=$1
edition=$2
version=$3
kind=$4
installer=$5
"$wine_sh" "$edition" || exit # 77 with the reason, where the edition does not run here
# Wine's tools too act for an edition: a 32-bit reg cannot see the 64-bit registry.
wine_as() { BINROT_WINE_TIMEOUT=60 "$wine_sh" "$@"; }
wine() { wine_as "$edition" "$@"; }
# Where each edition goes on 64-bit Windows, which Wine's prefix is.
declare -A folders=([x86]='C:\Program Files (x86)\binrot' [x64]='C:\Program Files\binrot')
work=$(mktemp -d)
trap '"$wine_sh" --end; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
unix_path() { wine winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_path() { wine winepath -w "$1" 2>/dev/null | tr -d '\r'; }
title='Възможни числа при двоично представяне'
declare -A installed=()
for each in x86 x64; do
    installed[$each]=$(unix_path "${folders[$each]}")
done

# binrot's uninstall entries in both registry views, a paragraph each, as UTF-8: reg.exe prints
# Cyrillic as "?".
entries() {
    local view key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
    for view in 32 64; do
        if ! wine_as x64 reg export "$key" "$(windows_path "$work/entries.reg")" "/reg:$view" /y \
            >/dev/null 2>&1; then
            # A prefix without Wine's 32-bit part has no 32-bit Uninstall key until one is made;
            # a key that is there must export.
            ! wine_as x64 reg query "$key" "/reg:$view" >/dev/null 2>&1 &&
                wine_as x64 reg query "${key%\\*}" "/reg:$view" >/dev/null 2>&1 ||
                fail "the installed programs cannot be read"
            continue
        fi
        iconv -f UTF-16 -t UTF-8 "$work/entries.reg" | tr -d '\r' |
            awk -v RS= -v name="- $title\"" 'index($0, "\"DisplayName\"=\"binrot (") && index($0, name)'
    done
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
windows() { xdotool search --onlyvisible --name "$title" 2>/dev/null || true; }
# The copy of the program that every installer must leave running, the only window at first.
cp "$(dirname "$installer")/binrot.exe" "$(unix_path 'C:\users\Public')/binrot.exe"
wine start 'C:\users\Public\binrot.exe' >"$work/start.log" 2>&1
portable=$(timeout 30 xdotool search --sync --onlyvisible --name "$title") ||
    fail "the copy in C:\\users\\Public did not open"
# Opens the installed program from its shortcut, its output in a file, not the test's.
open_installed() {
    wine start "$(shortcut)" >"$work/start.log" 2>&1 || fail "no shortcut to start: $(cat "$work/start.log")"
    for _ in $(seq 150); do
        [[ $(windows | wc -l) -ge 2 ]] && return
        sleep 0.2
    done
    fail "the installed program did not open"
}
# The program given, in its edition's folder, its shortcut, and one entry: of that edition and
# version.
check_installed() {
    local found
    cmp -s "${installed[$1]}/binrot.exe" "$2" || fail "${folders[$1]} does not hold $2"
    shortcut >/dev/null || fail "no Start-menu shortcut"
    found=$(entries)
    [[ $(grep -c '^"DisplayName"=' <<<"$found") == 1 ]] || fail "not one uninstall entry: $found"
    grep -qF "\"DisplayName\"=\"binrot ($1) - " <<<"$found" || fail "the entry is not of $1: $found"
    grep -qxF "\"DisplayVersion\"=\"$3\"" <<<"$found" || fail "the entry is not of $3: $found"
}
# Within ten seconds, as the windows of a program just closed need.
eventually() {
    for _ in $(seq 50); do
        "$@" && return
        sleep 0.2
    done
    return 1
}
# The installed program closed, whatever became of the copy from elsewhere.
closed() { [[ -z $(windows | grep -vxF "$portable") ]]; }
removed() {
    [[ ! -e ${installed[x86]} && ! -e ${installed[x64]} ]] && ! shortcut >/dev/null &&
        [[ -z $(entries) ]]
}
# The quiet uninstall command of the one entry, run as a deployment tool runs it: the line as it
# stands, waited for.
quiet_uninstall() {
    local line
    line=$(entries | sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' | sed 's/\\"/"/g; s/\\\\/\\/g')
    [[ -n $line ]] || fail "the entry has no quiet uninstall command"
    printf '@%s\r\n@exit /b %%errorlevel%%\r\n' "$line" >"$work/uninstall.bat"
    wine cmd /c "$(windows_path "$work/uninstall.bat")"
}
msiexec() { wine msiexec "$1" "$(windows_path "$2")" /qn "${@:3}"; }
check_programs() {
    local file
    [[ -n ${BINROT_INSTALLED_CHECK:-} ]] || return 0
    for file in "${installed[$edition]}"/*.exe; do
        # A command line, split into its words.
        $BINROT_INSTALLED_CHECK "$file" >/dev/null || fail "$file fails: $BINROT_INSTALLED_CHECK"
    done
}
program=$(dirname "$installer")/binrot.exe

case $kind in
nsis)
    wine "$installer" /S || fail "the installer failed"
    check_installed "$edition" "$program" "$version"
    check_programs
    open_installed
    wine "$installer" /S || fail "the installer failed over the running program"
    eventually closed || fail "the running program stayed open through the reinstall"
    check_installed "$edition" "$program" "$version"
    open_installed
    quiet_uninstall || fail "the uninstaller failed"
    ;;
msi)
    msiexec /i "$installer" || fail "the package failed to install"
    check_installed "$edition" "$program" "$version"
    check_programs
    # A program that differs, to see it replaced.
    cp "$program" "$work/binrot.exe"
    echo upgrade >>"$work/binrot.exe"
    "$6" "$edition" "$version.1" "$title" "$work/binrot.exe" "$(dirname "$installer")/close_binrot.exe" \
        "$7" "$8" "$work/upgrade.msi"
    open_installed
    msiexec /i "$work/upgrade.msi" || fail "the upgrade failed over the running program"
    eventually closed || fail "the running program stayed open through the upgrade"
    check_installed "$edition" "$work/binrot.exe" "$version.1"
    # Refused by its launch condition, having found the newer version: Windows Installer stops
    # there, before costing anything, with 1603 (67 through Wine's 8-bit exit codes).
    status=0
    msiexec /i "$installer" /l*v "$(windows_path "$work/downgrade.log")" || status=$?
    [[ $status == 1603 || $status == 67 ]] &&
        grep -q '^Property(S): WIX_DOWNGRADE_DETECTED = {' "$work/downgrade.log" &&
        ! grep -q 'Action start .*: CostInitialize\.$' "$work/downgrade.log" ||
        fail "an older version over a newer one was not refused as a downgrade ($status)"
    check_installed "$edition" "$work/binrot.exe" "$version.1"
    open_installed
    msiexec /x "$work/upgrade.msi" || fail "the package failed to uninstall"
    ;;
both)
    package=$6
    other=$7
    wine "$installer" /S || fail "the setup program failed"
    open_installed
    msiexec /i "$package" || fail "the package failed over the setup program's installation"
    eventually closed || fail "the setup program's running binrot stayed open"
    check_installed "$edition" "$program" "$version"
    status=0
    wine "$installer" /S || status=$?
    [[ $status == 3 ]] || fail "the setup program over the package ended in $status, not 3"
    check_installed "$edition" "$program" "$version"
    declare -A others=([x86]=x64 [x64]=x86)
    if [[ -f $other ]] && "$wine_sh" "${others[$edition]}" 2>/dev/null; then
        msiexec /x "$package" || fail "the package failed to uninstall"
        removed || fail "left behind: $(entries)"
        wine_as "${others[$edition]}" msiexec /i "$(windows_path "$other")" /qn ||
            fail "the other edition's package failed to install"
        check_installed "${others[$edition]}" "$(dirname "$other")/binrot.exe" "$version"
        msiexec /i "$package" || fail "the package failed over the other edition's"
        check_installed "$edition" "$program" "$version"
        with_other=" and the other edition's package"
    fi
    msiexec /x "$package" || fail "the package failed to uninstall"
    ;;
esac
# Done when the command returned: nothing waits for it.
removed || fail "left behind: $(ls -A "${installed[$edition]}" 2>&1), $(shortcut), $(entries)"
eventually closed || fail "the running program stayed open through the uninstall"
windows | grep -qxF "$portable" || fail "the copy in C:\\users\\Public was closed"
declare -A checked=([nsis]="silent install, reinstall and quiet uninstall over the running program"
    [msi]="silent install, upgrade and uninstall over the running program, downgrade refused"
    [both]="the package over the setup program's installation${with_other:-}, the setup program refused over the package")
echo "installers ($kind): ${checked[$kind]}; a copy from elsewhere kept running"
