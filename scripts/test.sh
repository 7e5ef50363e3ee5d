#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test, warnings fatal: a GCC Release build
# (then installed and consumed by the example host three ways, its Debian packages checked with
# lintian and its libraries' ABI compared with the baseline in abi/), an AddressSanitizer +
# UndefinedBehaviorSanitizer build, a bounded fuzzing run, a Clang Release build, the threaded
# drawing test under ThreadSanitizer, the i386 build (its suite under qemu-i386), the Windows builds
# (the 64-bit suite under wine64, the 32-bit one under 32-bit Wine, each with its example and scenes
# drawn by its gdi32), and the live palette and document windows driven through an X server.
# TOOLTRAY_QUICK=1 stops after the GCC build's suite, for iterating.
#
# It ends with two lines: the tests that passed and failed (every ctest run counted), then the
# stages run and skipped, each skip with its reason. A stage skips (exit status 77, its last
# "skipped: " line the reason) only for what the machine cannot change: a kernel without 32-bit
# support, or no X server binary after installing it failed. Any other status fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh all
JOBS=$(nproc)
export JOBS
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
ran=0 skips=() passed=0 failed=0 skipped_tests=0 started=$SECONDS

# Adds the ctest counts in a stage's output ("95% tests passed, 3 tests failed out of 60"). ctest
# counts a skipped test as passed; here it counts as skipped ("***Skipped" on its result line).
count_tests() { # log
  local p f s
  read -r p f s < <(awk '/% tests passed, [0-9]+ tests? failed out of/ { f += $4; p += $NF - $4 }
                         /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: .*\*\*\*Skipped/ { s++ }
                         END { print p - s, f + 0, s + 0 }' "$1")
  passed=$((passed + p)) failed=$((failed + f)) skipped_tests=$((skipped_tests + s))
}

summary() { # [the stage that failed]
  [ "$skipped_tests" = 0 ] ||
    echo "skipped tests: $skipped_tests (each stage's output names them under \"did not run\")"
  echo "tests: $passed passed, $failed failed"
  local line="stages: $ran run, ${#skips[@]} skipped" s
  for s in "${skips[@]}"; do line+="; $s"; done
  [ -z "${1:-}" ] || line+="; $1 FAILED"
  echo "$line"
}

# stage NAME COMMAND...: runs one stage, its output shown as it comes. A failed stage ends the run
# with the summary so far.
stage() {
  local name=$1 status stage_start=$SECONDS
  shift
  echo "== $name"
  # In a subshell of its own, so that -e stops the stage at its first failing command.
  set +e
  (set -e; "$@") 2>&1 | tee "$logs/$name.log"
  status=${PIPESTATUS[0]}
  set -e
  count_tests "$logs/$name.log"
  if [ "$status" = 77 ]; then
    skips+=("$name skipped: $(grep -o 'skipped: .*' "$logs/$name.log" | tail -n 1 | cut -c 10-)")
    return
  fi
  ran=$((ran + 1))
  echo "== $name: $((SECONDS - stage_start)) s"
  if [ "$status" != 0 ]; then
    echo "== $name FAILED (exit status $status) after $((SECONDS - started)) s"
    summary "$name"
    exit 1
  fi
}

# A folder a developer configured with another generator cannot be configured again for Ninja:
# cmake refuses. Its cache goes, so the folder is configured afresh; what it built stays.
fresh_for_ninja() { # build-dir
  if [ -f "$1/CMakeCache.txt" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$1/CMakeCache.txt"; then
    echo "-- $1 was configured for another generator: configuring it afresh for Ninja"
    rm -rf "$1/CMakeCache.txt" "$1/CMakeFiles"
  fi
}

# ctest for one build folder, configured and built first.
suite() { # build-dir, extra cmake args...
  local dir=$1
  shift
  fresh_for_ninja "$dir"
  cmake -S . -B "$dir" -G Ninja -DTOOLTRAY_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j"$JOBS"
  ctest --test-dir "$dir" -j"$JOBS" --output-on-failure --no-tests=error
}
tsan_suite() {
  fresh_for_ninja build-tsan
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOOLTRAY_TSAN=ON \
    -DTOOLTRAY_WERROR=ON -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=OFF >/dev/null
  cmake --build build-tsan -j"$JOBS" --target gdi_thread_tests
  TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan -R GdiThreads --output-on-failure --no-tests=error
}

stage format scripts/check-format.sh
stage gcc suite build -DCMAKE_BUILD_TYPE=Release -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=ON
if [ -z "${TOOLTRAY_QUICK:-}" ]; then
  stage consumers scripts/consumers.sh linux build
  stage packages scripts/package-check.sh build
  stage abi scripts/abi-check.sh
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    stage asan suite build-asan -DCMAKE_BUILD_TYPE=Debug -DTOOLTRAY_SANITIZE=ON -DTOOLTRAY_TESTS=ON \
    -DTOOLTRAY_BENCH=OFF
  stage fuzz scripts/fuzz.sh
  stage clang suite build-clang -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang-14 \
    -DCMAKE_CXX_COMPILER=clang++-14 -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=OFF
  stage tsan tsan_suite
  stage i386 scripts/i386.sh
  stage windows-x86_64 scripts/windows.sh x86_64
  stage windows-i686 scripts/windows.sh i686
  stage live scripts/live-test.sh build build-mingw64 build-mingw32
  stage documents scripts/live-document-test.sh build build-mingw64 build-mingw32
fi
echo "== all stages: $((SECONDS - started)) s"
summary
[ "$failed" = 0 ]
