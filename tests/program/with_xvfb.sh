#!/usr/bin/env bash
# Runs a command on a private Xvfb server of its own, started on a free display and stopped
# afterwards.
# Usage: with_xvfb.sh command [argument ...]
set -euo pipefail

for n in $(seq 90 190); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || { display=:$n; break; }
done
log=$(mktemp)
Xvfb "$display" -screen 0 1024x768x24 -noreset -nolisten tcp >"$log" 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 100); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    kill -0 "$xvfb" 2>/dev/null || { cat "$log" >&2; exit 1; }
    sleep 0.1
done
DISPLAY=$display QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY= "$@"
