#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: a normal build, an AddressSanitizer +
# UndefinedBehaviorSanitizer build, a bounded fuzzing run, the threaded drawing test under
# ThreadSanitizer, the i386 build (its suite under qemu-i386), and the Windows builds (the 64-bit
# suite under Wine).
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
echo "== ThreadSanitizer build: palettes drawn on several threads at once"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOOLTRAY_TSAN=ON \
  -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=OFF >/dev/null
cmake --build build-tsan -j"$jobs" --target gdi_thread_tests
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan -R GdiThreads --output-on-failure | tee -a "$summary"
echo "== i386 build, tests under qemu-i386"
JOBS=$jobs scripts/i386.sh | tee -a "$summary"
echo "== Windows builds"
scripts/windows.sh | tee -a "$summary"

# Every suite above stops the script when a test fails, so what is left to say is how many ran.
awk '/tests passed, 0 tests failed out of/ { n += $NF } END { printf "tests: %d passed, 0 failed\n", n }' "$summary"
