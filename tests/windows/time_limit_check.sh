#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The suite's time limit and clean-up at work, as CTest runs them: a run of one test that exits
# but leaves a Wine program running with the run's output open, as a program that will not
# close does. The test must fail by name at its limit, the run must end within seconds of it,
# and nothing it started may be left running.
# Usage: time_limit_check.sh path/to/wine.sh x86|x64 program.exe   (on an X server: DISPLAY)
set -euo pipefail

wine_sh=$1
edition=$2
program=$3
"$wine_sh" "$edition" || exit # 77 with the reason, where the edition does not run here
work=$(mktemp -d)
trap '"$wine_sh" --end; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

limit=5
cat >"$work/CTestTestfile.cmake" <<EOF
add_test(leaves_program /bin/sh -c [=["\$0" "\$1" "\$2" & exit 0]=] [=[$wine_sh]=] $edition [=[$program]=])
set_tests_properties(leaves_program PROPERTIES TIMEOUT $limit FIXTURES_REQUIRED wine)
add_test(wine_end [=[$wine_sh]=] --end)
set_tests_properties(wine_end PROPERTIES FIXTURES_CLEANUP wine)
EOF

# Every process of the run carries this mark, so that what is left of it can be found by id.
mark=BINROT_TIME_LIMIT_CHECK=$$
started=$SECONDS
status=0
env "$mark" timeout 120 ctest --test-dir "$work" >"$work/ctest.log" 2>&1 || status=$?
took=$((SECONDS - started))
((status != 124)) || fail "the run did not end: $(cat "$work/ctest.log")"
((status != 0)) || fail "the run passed: $(cat "$work/ctest.log")"
grep -qE 'leaves_program \.+\*\*\*Timeout' "$work/ctest.log" ||
    fail "the test did not fail at its limit: $(cat "$work/ctest.log")"
((took <= limit + 25)) || fail "the run took $took s for a limit of $limit s"

left=()
for _ in $(seq 50); do
    mapfile -t left < <(grep -lzx "$mark" /proc/[0-9]*/environ 2>/dev/null)
    ((${#left[@]} == 0)) && break
    sleep 0.1
done
((${#left[@]} == 0)) || fail "left running: ${left[*]}"
echo "time limit: the test failed at $limit s, the run ended after $took s, nothing left running"
