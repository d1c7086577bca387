#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what Windows reads of the built files before it runs a line of them: the processor of
# their edition; for the program, the GUI subsystem of Windows 7 (6.1), and imports from
# Windows' own DLLs alone, with none of the functions that came after Windows 7, which would
# stop it from starting there; the icon at every size Windows draws it, in the programs and the
# package. Needs no Wine, so it runs for both editions everywhere.
# Usage: program_file_check.sh objdump x86|x64 binrot.exe setup.exe binrot.msi
set -euo pipefail

objdump=$1
edition=$2
program=$3
setup=$4
package=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

declare -A format=([x86]=pei-i386 [x64]=pei-x86-64)
for file in "$program" "$setup"; do
    [[ $("$objdump" -f "$file") == *"file format ${format[$edition]}"$'\n'* ]] ||
        fail "$file is not a program of the $edition edition"
done

headers=$("$objdump" -p "$program")
grep -qP '^Subsystem\t+00000002\t\(Windows GUI\)$' <<<"$headers" || fail "not a GUI program"
grep -qP '^MajorSubsystemVersion\t6$' <<<"$headers" && grep -qP '^MinorSubsystemVersion\t1$' <<<"$headers" ||
    fail "the subsystem version is not 6.1"

dlls=$(grep -oP '^\tDLL Name: \K.*' <<<"$headers" | tr '[:upper:]' '[:lower:]' | sort | tr '\n' ' ')
[[ $dlls == 'comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll ' ]] ||
    fail "imports from $dlls"
# Looked up at run time where Windows has them, never imported.
for function in GetDpiForWindow GetDpiForSystem AdjustWindowRectExForDpi GetSystemMetricsForDpi \
    SystemParametersInfoForDpi SetThreadDpiAwarenessContext EnableNonClientDpiScaling \
    GetSystemTimePreciseAsFileTime CreateFile2; do
    grep -qP "^\t[0-9a-f]+\t +[0-9]+  $function\$" <<<"$headers" && fail "imports $function"
done

for file in "$program" "$setup" "$package"; do
    if [[ $file == *.msi ]]; then
        msiinfo extract "$file" Icon.binrot.ico >"$work/icon.ico"
    else
        wrestool -x -t 14 "$file" >"$work/icon.ico"
    fi
    sizes=$(icotool -l "$work/icon.ico" | grep -oP -- '--width=\K[0-9]+' | tr '\n' ' ')
    [[ $sizes == '16 20 24 32 40 48 64 256 ' ]] || fail "$file: its icon has the sizes $sizes"
done
echo "$edition files: machine, GUI subsystem 6.1 and imports as Windows 7 needs them, every" \
    "icon size"
