#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Started with no display at all, the program says so in one sentence and exits with 1; told to
# draw on a platform that needs none, it runs its event loop: on Qt's VNC platform, its window
# is served to a VNC client, which the server greets only from the running loop.
# Usage: no_display_check.sh command [argument ...]   (the command starts binrot)
set -uo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$@" 2>&1)
status=$?
[[ $status == 1 ]] || fail "exit status $status, not 1: $output"
[[ $(wc -l <<<"$output") == 1 && $output == *DISPLAY* ]] || fail "unexpected message: $output"
echo "no display: $output"

work=$(mktemp -d)
port=$((20000 + RANDOM % 20000))
# In a session of its own, so that the whole command ends with it, an emulator's child too.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM setsid "$@" -platform "vnc:port=$port" \
    >"$work/log" 2>&1 &
program=$!
trap 'kill -- -"$program" 2>/dev/null; wait "$program" 2>/dev/null; rm -rf "$work"' EXIT
greeting=
for _ in $(seq 300); do
    kill -0 "$program" 2>/dev/null || fail "it ended on the VNC platform: $(cat "$work/log")"
    if exec 3<>"/dev/tcp/127.0.0.1/$port"; then
        read -r -t 20 greeting <&3
        exec 3<&-
        break
    fi 2>/dev/null
    sleep 0.1
done
[[ $greeting == "RFB "* ]] || fail "no VNC greeting within 30 s: '$greeting' $(cat "$work/log")"
echo "no display, -platform vnc: runs, its window served ($greeting)"
