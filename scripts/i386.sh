#!/usr/bin/env bash
# The 32-bit build: the libraries and the whole test suite built for i386 Linux (-m32, preset
# linux-i386 in build-i386/) and run under qemu-i386, where references are 4 bytes and the records
# have the layout 32-bit hosts read. qemu-i386 runs them whatever the kernel supports, so nothing
# here is ever skipped: a missing tool or library fails the run, saying what to install.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

fail() {
  echo "i386 part FAILED: $*" >&2
  exit 1
}
command -v qemu-i386 >/dev/null || fail "qemu-i386 not found (Debian: qemu-user)"
[ -e /usr/lib/i386-linux-gnu/libpng.so ] || fail "no i386 libpng (Debian: libpng-dev:i386)"
echo | g++ -m32 -x c++ -fsyntax-only - 2>/dev/null || fail "g++ -m32 cannot compile (Debian: g++-multilib)"

echo "-- linux-i386: configure and build"
cmake --preset linux-i386 >/dev/null
cmake --build --preset linux-i386 -j"$jobs"
echo "-- linux-i386: tests under $(qemu-i386 --version | head -n 1)"
start=$(date +%s)
ctest --preset linux-i386 -j"$jobs" --no-tests=error
echo "i386 suite under qemu-i386: $(($(date +%s) - start)) s"
