#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each on a
# temporary copy of its corpus for FUZZ_SECONDS seconds (60 under CI, 10
# otherwise), two at a time. Any crash, leak or failed check fails the run;
# the input that found it is kept in build-fuzz/findings/.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"

build="$root/build-fuzz"
seconds=${FUZZ_SECONDS:-$([ -n "${CI:-}" ] && echo 60 || echo 10)}

say "building the fuzz targets into build-fuzz/"
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCARD_CALC_BUILD_FUZZERS=ON \
  -DCARD_CALC_BUILD_QT=OFF \
  -DCARD_CALC_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzzers -j "$jobs"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings="$build/findings"
mkdir -p "$findings"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# fuzz_one <target>: runs it and prints one summary line; the status is the fuzzer's.
fuzz_one() {
  local target=$1 corpus="$work/$1"
  cp -r "$root/fuzz/corpus/$target" "$corpus"
  local status=0
  "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/$target-" "$corpus" >"$work/$target.log" 2>&1 || status=$?
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
  printf '%-12s %s runs in %s s, corpus %s -> %s files, status %s\n' "$target" "${runs:-?}" "$seconds" \
    "$(ls "$root/fuzz/corpus/$target" | wc -l)" "$(ls "$corpus" | wc -l)" "$status"
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$work/$target.log"
  fi
  return "$status"
}

targets=()
for f in "$build"/fuzz/*_fuzzer; do
  targets+=("$(basename "${f%_fuzzer}")")
done
say "fuzzing ${targets[*]} for $seconds s each"

failed=0
pids=()
for target in "${targets[@]}"; do
  fuzz_one "$target" &
  pids+=($!)
  # At most as many at once as there are cores.
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || failed=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do
  wait "$pid" || failed=1
done

if [ "$failed" -ne 0 ]; then
  say "a fuzz target failed; the inputs are in $findings"
  exit 1
fi
