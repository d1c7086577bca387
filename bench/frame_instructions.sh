#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Counts, with callgrind, the instructions each program runs from its start to its first frame,
# and prints the first program's ratio to each of the others. Unlike times on a shared machine,
# the counts repeat from run to run.
# Usage: frame_instructions.sh path/to/paint_probe PROGRAM FLOOR [FLOOR ...]   (on DISPLAY)
set -euo pipefail

probe=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
counts=()
for program in "$@"; do
    out=$work/callgrind.out
    rm -f "$out"
    "$probe" frame "valgrind --tool=callgrind --callgrind-out-file=$out $program" 2>/dev/null
    # Valgrind writes the counts as the ended program leaves.
    for _ in $(seq 100); do
        grep -q '^totals:' "$out" 2>/dev/null && break
        sleep 0.1
    done
    counts+=("$(sed -n 's/^totals: //p' "$out")")
    [[ -n ${counts[-1]} ]] || { echo "FAIL: no count for $program" >&2; exit 1; }
done
echo "instructions from start to first frame (callgrind)"
for i in "${!counts[@]}"; do
    printf '  %-50s %12d\n' "${*:i+1:1}" "${counts[i]}"
done
for i in "${!counts[@]}"; do
    ((i == 0)) || awk -v floor="${*:i+1:1}" -v program="${counts[0]}" -v count="${counts[i]}" \
        'BEGIN { printf "  ratio to %-41s x%.3f\n", floor, program / count }'
done
