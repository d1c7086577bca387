#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opens the program on the X server of DISPLAY, checks the window's size and colours in a
# screenshot, then types and clicks into it through the X server: a report, then a number out
# of range, which a message box refuses.
# Usage: with_xvfb.sh real_window_check.sh command [argument ...]   (the command starts binrot)
set -euo pipefail
# xdotool matches the Cyrillic title only under a UTF-8 locale, which a bare system lacks.
export LC_ALL=C.UTF-8

work=$(mktemp -d)
app=
# The program ends with the check, whichever way the check ends.
trap '[[ -n $app ]] && kill "$app" 2>/dev/null && { wait "$app" || true; }; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$@" >"$work/binrot.log" 2>&1 &
app=$!
# The window, or the program's end before it shows one: 77 is Wine's word that this machine
# runs no programs of its edition.
window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name 'Възможни числа при двоично представяне' | head -n 1) &&
        [[ -n $window ]] && break
    if ! kill -0 "$app" 2>/dev/null; then
        status=0
        wait "$app" || status=$?
        app=
        ((status == 77)) && { cat "$work/binrot.log" >&2; exit 77; }
        fail "the program ended ($status) before its window appeared: $(cat "$work/binrot.log")"
    fi
    sleep 0.1
done
[[ -n $window ]] || fail "the window did not appear: $(cat "$work/binrot.log")"
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ $WIDTH == 469 && $HEIGHT == 236 ]] || fail "window is ${WIDTH}x$HEIGHT, not 469x236"

shoot() { import -window root "$work/$1.png"; }
colour() { convert "$work/$1.png" -format "%[hex:p{$((X + $2)),$((Y + $3))}]" info: | cut -c1-6; }
region() { convert "$work/$1.png" -crop "$4x$5+$((X + $2))+$((Y + $3))" +repage "$work/$1-$6.png"; }
differs() { ! compare -metric AE "$work/$1-$3.png" "$work/$2-$3.png" null: 2>/dev/null; }

# Wait for the first frame, then check each colour where it belongs.
for _ in $(seq 100); do
    shoot start
    [[ $(colour start 4 40) == C0C0FF ]] && break
    sleep 0.1
done
declare -A expected=([4, 40]=C0C0FF [44, 3]=FFC080 [182, 54]=80FF80 [358, 54]=FF8080 [463, 90]=C0C0FF)
for place in "${!expected[@]}"; do
    actual=$(colour start "${place%,*}" "${place#*, }")
    [[ $actual == "${expected[$place]}" ]] || fail "colour at $place is $actual, not ${expected[$place]}"
done

# Typing reaches the input box, and a click on "Изчисли" replaces the task statement.
region start 8 48 129 33 input
region start 8 96 449 137 report
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 12345
sleep 0.5
shoot typed
region typed 8 48 129 33 input
differs start typed input || fail "typing did not change the input box"
xdotool mousemove --sync $((X + 228)) $((Y + 64)) click 1
sleep 0.5
shoot computed
region computed 8 96 449 137 report
differs start computed report || fail "pressing the compute button did not change the report"
kill -0 "$app" || fail "the program ended"

# A number out of range: a message box says so, and goes with Enter.
xdotool mousemove --sync $((X + 404)) $((Y + 64)) click 1
xdotool windowfocus --sync "$window"
xdotool mousemove --sync $((X + 60)) $((Y + 64)) click 1
xdotool key --delay 30 End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 30 9e9
xdotool mousemove --sync $((X + 228)) $((Y + 64)) click 1
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Внимание$' | head -n 1) ||
    fail "no message box for a number out of range"
xdotool windowfocus --sync "$box" key Return
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Внимание$' >/dev/null || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Внимание$' >/dev/null && fail "the message box stayed open"
kill -0 "$app" || fail "the program ended"
echo "real window: 469x236, colours in place, typing, clicking and the refusal work"
