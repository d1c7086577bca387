#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The WebAssembly computation, run by node, writes every report byte for byte as the native one.
# Usage: reports_match.sh node report_dump.js path/to/native/report_dump
set -euo pipefail
node=$1
wasm=$2
native=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[[ -x $native ]] || { echo "FAIL: no native build at $native (build the default preset first)" >&2; exit 1; }
"$native" >"$work/native"
"$node" "$wasm" >"$work/wasm"
cmp "$work/native" "$work/wasm" || { echo "FAIL: the reports differ" >&2; exit 1; }
# Both the out-of-range refusal and CR LF line ends are among what was compared.
grep -q 'извън допустимия обхват' "$work/native" || { echo "FAIL: no input was out of range" >&2; exit 1; }
echo "$(grep -c '^\[' "$work/native") inputs: the same $(wc -c <"$work/native") bytes of reports"
