#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test, warnings fatal: a GCC Release build
# (then installed and consumed by the example host three ways), an AddressSanitizer +
# UndefinedBehaviorSanitizer build, a bounded fuzzing run, a Clang Release build, the threaded
# drawing test under ThreadSanitizer, the i386 build (its suite under qemu-i386), the Windows builds
# (the 64-bit suite and the example under Wine), and the live palette windows of both driven
# through an X server. TOOLTRAY_QUICK=1 stops after the GCC build's suite, for iterating.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh all
jobs=$(nproc)
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT

run_suite() { # build-dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DTOOLTRAY_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" -j"$jobs" --output-on-failure | tee -a "$summary"
}

# Every suite stops the script when a test fails, so what is left to say at the end is how many ran.
count_tests() {
  awk '/tests passed, 0 tests failed out of/ { n += $NF } END { printf "tests: %d passed, 0 failed\n", n }' "$summary"
}

echo "== format"
scripts/check-format.sh
echo "== GCC Release build"
run_suite build -DCMAKE_BUILD_TYPE=Release -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=ON
[ -z "${TOOLTRAY_QUICK:-}" ] || { count_tests; exit 0; }
echo "== the installed package, consumed by examples/minimal_host"
scripts/consumers.sh linux build
echo "== the Debian packages against lintian"; scripts/package-check.sh build
echo "== the libraries' ABI against abi/"; JOBS=$jobs scripts/abi-check.sh
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DTOOLTRAY_SANITIZE=ON -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=OFF
echo "== fuzzing: each target for ${TOOLTRAY_FUZZ_SECONDS:-60} s (clang, libFuzzer, ASan + UBSan)"
JOBS=$jobs scripts/fuzz.sh
echo "== Clang Release build"
run_suite build-clang -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang-14 \
  -DCMAKE_CXX_COMPILER=clang++-14 -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=OFF
echo "== ThreadSanitizer build: palettes drawn on several threads at once"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOOLTRAY_TSAN=ON -DTOOLTRAY_WERROR=ON \
  -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=OFF >/dev/null
cmake --build build-tsan -j"$jobs" --target gdi_thread_tests
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan -R GdiThreads --output-on-failure | tee -a "$summary"
echo "== i386 build, tests under qemu-i386"
JOBS=$jobs scripts/i386.sh | tee -a "$summary"
echo "== Windows builds"
scripts/windows.sh | tee -a "$summary"
echo "== live palette windows through an X server"
scripts/live-test.sh build build-mingw64

count_tests
