#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program of one edition under Wine, in a prefix of the build's own (build/wine
# unless WINEPREFIX says otherwise), made and settled on first use. The program is a .exe, or
# one of Wine's own tools (reg, start, taskkill, winepath, cmd), which then acts for that
# edition. BINROT_WINE_DPI sets the screen's dots per inch, 96 unless told.
# Each edition has its own loader: Wine's 32-bit tools cannot see 64-bit processes, and
# Debian's "wine" is the 32-bit loader wherever wine32 is installed. Where this machine runs no
# 32-bit programs, an x86 program is not run: the reason goes to standard error and the exit
# code is 77, which the tests take as skipped.
# Usage: wine.sh x86|x64 program [argument ...]
#        wine.sh x86|x64          exits 0 where the edition runs here, else 77 with the reason
#        wine.sh --end            ends every program of the prefix, and its server
set -euo pipefail

export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build/wine}
# A 64-bit Windows, whichever edition makes the prefix: it runs both, as 64-bit Windows does.
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8

if [[ ${1:-} == --end ]]; then
    # The prefix's server ends every process it serves; none may be running at all.
    wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w 2>/dev/null || true
    exit 0
fi

edition=${1:?usage: wine.sh x86|x64 [program [argument ...]] | wine.sh --end}
shift
loader32=/usr/lib/wine/wine
loader64=/usr/lib/wine/wine64
[[ -x $loader64 ]] || loader64=$(command -v wine64 || command -v wine)
case $edition in
x86) loader=$loader32 ;;
x64) loader=$loader64 ;;
*)
    echo "wine.sh: no edition $edition: x86 or x64" >&2
    exit 2
    ;;
esac
# The loader that Wine starts for a program of the other edition is named after this one.
export WINELOADER=$loader
# Debian 12's 64-bit loader sits at a fixed low address, and newer kernels put its heap up to a
# gigabyte above it: now and then on the page Wine maps for every Windows process, which then
# fails to start ("failed to map the shared user data"), one start in some hundreds. With the
# address space unrandomized, the heap follows the loader; the programs Wine starts inherit it.
fixed=(setarch "$(uname -m)" -R)

if [[ ! -f $WINEPREFIX/binrot-ready ]]; then
    mkdir -p "$WINEPREFIX"
    timeout 300 "${fixed[@]}" "$loader64" wineboot -i </dev/null >/dev/null 2>&1
    timeout 60 wineserver -w
    # Without a window manager, Wine waits two seconds for one each time a managed window
    # closes: the window test's windows, made and closed by the dozen, are left unmanaged.
    timeout 60 "${fixed[@]}" "$loader64" reg add \
        'HKCU\Software\Wine\AppDefaults\window_test.exe\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >/dev/null 2>&1
    timeout 60 wineserver -w
    touch "$WINEPREFIX/binrot-ready"
fi

# Whether 32-bit Windows programs run here, tried once per prefix with Wine's own 32-bit
# cmd.exe. Where they do not, the file holds the reason; where they should, it stays empty, so
# that a failure there fails the tests.
if [[ ! -f $WINEPREFIX/binrot-x86 ]]; then
    reason=
    if ! { [[ -x $loader32 ]] &&
        timeout 60 "${fixed[@]}" "$loader32" 'C:\windows\syswow64\cmd.exe' /c exit 0 \
            </dev/null >/dev/null 2>&1; }; then
        if ! "$(dirname "$0")/../../scripts/kernel-runs-i386"; then
            reason="this kernel runs no 32-bit programs"
        elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
            reason="wine32:i386 is not installed"
        fi
    fi
    echo -n "$reason" >"$WINEPREFIX/binrot-x86"
fi
if [[ $edition == x86 && -s $WINEPREFIX/binrot-x86 ]]; then
    echo "32-bit programs are skipped: $(cat "$WINEPREFIX/binrot-x86")" >&2
    exit 77
fi
(($#)) || exit 0

dpi=${BINROT_WINE_DPI:-96}
if [[ $(cat "$WINEPREFIX/binrot-dpi" 2>/dev/null) != "$dpi" ]]; then
    timeout 60 "${fixed[@]}" "$loader64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
        /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
    timeout 60 wineserver -w
    echo "$dpi" >"$WINEPREFIX/binrot-dpi"
fi

exec timeout "${BINROT_WINE_TIMEOUT:-300}" "${fixed[@]}" "$loader" "$@" </dev/null
