#!/usr/bin/env bash
# card-pairs within its budgets of instructions and memory (bench/measure on
# the main build), and one short run of the benchmark program, which first
# checks that the calculator and the step-by-step reference agree.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"

"$root/bench/measure" --check "$root/build"
if [ -x "$root/build/calculation_bench" ]; then
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  "$root/build/calculation_bench" --benchmark_min_time=0.001 >"$log" 2>&1 || { cat "$log"; exit 1; }
  say "calculation_bench ran; the calculator and the reference agree"
fi
