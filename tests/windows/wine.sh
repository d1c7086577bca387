#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine, in a prefix of the build's own (build/wine unless
# WINEPREFIX says otherwise), made and settled on first use. BINROT_WINE_DPI sets the screen's
# dots per inch, 96 unless told.
# Usage: wine.sh program.exe [argument ...]
set -euo pipefail

export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build/wine}
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

dpi=${BINROT_WINE_DPI:-96}
if [[ $(cat "$WINEPREFIX/binrot-dpi" 2>/dev/null) != "$dpi" ]]; then
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        </dev/null >/dev/null 2>&1
    timeout 60 wineserver -w
    echo "$dpi" >"$WINEPREFIX/binrot-dpi"
fi

exec timeout "${BINROT_WINE_TIMEOUT:-300}" wine "$@" </dev/null
