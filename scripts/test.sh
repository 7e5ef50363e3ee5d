#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: a normal build, an AddressSanitizer +
# UndefinedBehaviorSanitizer build, a bounded fuzzing run, and the Windows builds (the 64-bit suite
# under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh all
jobs=$(nproc)
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT

run_suite() { # build-dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" -j"$jobs" --output-on-failure | tee -a "$summary"
}

echo "== format"
scripts/check-format.sh
echo "== normal build"
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=ON
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DTOOLTRAY_SANITIZE=ON -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=OFF
echo "== fuzzing: each target for ${TOOLTRAY_FUZZ_SECONDS:-60} s (clang, libFuzzer, ASan + UBSan)"
JOBS=$jobs scripts/fuzz.sh
echo "== Windows builds"
scripts/windows.sh | tee -a "$summary"

# Every suite above stops the script when a test fails, so what is left to say is how many ran.
awk '/tests passed, 0 tests failed out of/ { n += $NF } END { printf "tests: %d passed, 0 failed\n", n }' "$summary"
