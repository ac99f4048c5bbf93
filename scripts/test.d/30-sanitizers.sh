#!/usr/bin/env bash
# The whole test suite once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer (g++, build-asan/, no benchmarks). Any report
# fails the run: a failing test, and also a report from a child process whose
# exit status nobody checks. AddressSanitizer and LeakSanitizer write their
# reports to files here; UndefinedBehaviorSanitizer (in g++'s combined runtime)
# always writes to standard error, so the test log is searched for it.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"

build="$root/build-asan"
sanitize="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"

say "building the sanitizer build into build-asan/"
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=g++ \
  -DCMAKE_CXX_FLAGS="-O1 $sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
  -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" \
  -DCARD_CALC_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"

reports=$(mktemp -d)
trap 'rm -rf "$reports"' EXIT
suppressions="$root/sanitizer-suppressions"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$suppressions/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

say "running the tests under the sanitizers"
status=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" || status=$?

if compgen -G "$reports/*" >/dev/null; then
  say "sanitizer reports:"
  for f in "$reports"/*; do
    printf -- '--- %s\n' "$(basename "$f")"
    cat "$f"
  done
  status=1
fi
if grep -E -n -m 20 'runtime error:|ERROR: (Address|Leak)Sanitizer' "$build/Testing/Temporary/LastTest.log"; then
  say "sanitizer reports in the test output (above)"
  status=1
fi
exit "$status"
