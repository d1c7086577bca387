#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a private Xvfb server of its own, on a display the server finds free, and
# stops the server afterwards.
# Usage: with_xvfb.sh command [argument ...]
set -euo pipefail

work=$(mktemp -d)
# -displayfd lets the server take the first display it can bind, which also sees displays
# of other mount namespaces (a chroot's) that lock files here would not show.
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$work/display" >"$work/log" 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    [[ -s $work/display ]] && xdpyinfo -display ":$(head -n 1 "$work/display")" >/dev/null 2>&1 && break
    kill -0 "$xvfb" 2>/dev/null || { cat "$work/log" >&2; exit 1; }
    sleep 0.1
done
DISPLAY=:$(head -n 1 "$work/display") QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY= "$@"
