#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the fuzz target for a number of seconds from the checked-in seeds, keeping what it
# learns in a working corpus beside the binary.
# Usage: run_fuzz.sh path/to/rotation_fuzz seconds
set -euo pipefail

fuzzer=$1
seconds=$2
seeds=$(dirname "$0")/corpus
corpus=$(dirname "$fuzzer")/corpus
mkdir -p "$corpus"
exec "$fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$(dirname "$fuzzer")/" "$corpus" "$seeds"
