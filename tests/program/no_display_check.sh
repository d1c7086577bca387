#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Started with no display at all, the program says so in one sentence and exits with 1; told to
# draw on a platform that needs none, it runs.
# Usage: no_display_check.sh command [argument ...]   (the command starts binrot)
set -uo pipefail

output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$@" 2>&1)
status=$?
[[ $status == 1 ]] || { echo "FAIL: exit status $status, not 1: $output" >&2; exit 1; }
[[ $(wc -l <<<"$output") == 1 && $output == *DISPLAY* ]] ||
    { echo "FAIL: unexpected message: $output" >&2; exit 1; }
echo "no display: $output"

# Still running when its time is up: timeout's 124.
offscreen=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 3 "$@" -platform offscreen 2>&1)
status=$?
[[ $status == 124 ]] || { echo "FAIL: -platform offscreen ended with $status: $offscreen" >&2; exit 1; }
echo "no display, -platform offscreen: runs"
