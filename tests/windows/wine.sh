#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine, in a prefix of the build's own (build/wine unless
# WINEPREFIX says otherwise), made and settled on first use. BINROT_WINE_DPI sets the screen's
# dots per inch, 96 unless told. A 32-bit program, where this machine runs none, is not run:
# the reason goes to standard error and the exit code is 77, which the tests take as skipped.
# "wine.sh --x86" only says so.
# Usage: wine.sh program.exe [argument ...]
#        wine.sh --x86
set -euo pipefail

export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build/wine}
# A 64-bit Windows, whichever edition makes the prefix: it runs both, as 64-bit Windows does.
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8

if [[ ! -f $WINEPREFIX/binrot-ready ]]; then
    mkdir -p "$WINEPREFIX"
    timeout 300 wineboot -i </dev/null >/dev/null 2>&1
    timeout 60 wineserver -w
    # Without a window manager, Wine waits two seconds for one each time a managed window
    # closes: the window test's windows, made and closed by the dozen, are left unmanaged.
    timeout 60 wine reg add 'HKCU\Software\Wine\AppDefaults\window_test.exe\X11 Driver' \
        /v Managed /t REG_SZ /d N /f \
        </dev/null >/dev/null 2>&1
    timeout 60 wineserver -w
    touch "$WINEPREFIX/binrot-ready"
fi

# Whether 32-bit Windows programs run here, tried once per prefix with Wine's own 32-bit
# cmd.exe. Where they do not, the file holds the reason; where they should, it stays empty, so
# that a failure there fails the tests.
if [[ ! -f $WINEPREFIX/binrot-x86 ]]; then
    reason=
    if ! timeout 60 wine 'C:\windows\syswow64\cmd.exe' /c exit 0 </dev/null >/dev/null 2>&1; then
        if ! "$(dirname "$0")/../../scripts/kernel-runs-i386"; then
            reason="this kernel runs no 32-bit programs"
        elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
            reason="wine32:i386 is not installed"
        fi
    fi
    echo -n "$reason" >"$WINEPREFIX/binrot-x86"
fi
# The machine field of a PE file's header: 014c for x86.
pe_machine() {
    local header
    header=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
    od -An -t x2 -j $((header + 4)) -N 2 "$1" | tr -d ' '
}
if [[ $1 == --x86 || ($1 == *.exe && -f $1 && $(pe_machine "$1") == 014c) ]] &&
    [[ -s $WINEPREFIX/binrot-x86 ]]; then
    echo "32-bit programs are skipped: $(cat "$WINEPREFIX/binrot-x86")" >&2
    exit 77
fi
[[ $1 != --x86 ]] || exit 0

dpi=${BINROT_WINE_DPI:-96}
if [[ $(cat "$WINEPREFIX/binrot-dpi" 2>/dev/null) != "$dpi" ]]; then
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        </dev/null >/dev/null 2>&1
    timeout 60 wineserver -w
    echo "$dpi" >"$WINEPREFIX/binrot-dpi"
fi

exec timeout "${BINROT_WINE_TIMEOUT:-300}" wine "$@" </dev/null
