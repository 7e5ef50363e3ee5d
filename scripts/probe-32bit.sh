#!/usr/bin/env bash
# Whether this machine's kernel runs 32-bit x86 programs, which Wine's 32-bit loader needs
# (qemu-i386 does not): builds a tiny -m32 program and runs it.
#   exit 0   it runs
#   exit 1   it does not; the reason on one line (a kernel without IA-32 emulation)
#   exit 2   the probe could not be built (g++-multilib missing): a fault of the machine's set-up
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'int main(void) { return 42; }\n' >"$work/probe.c"
if ! gcc -m32 "$work/probe.c" -o "$work/probe" 2>"$work/err"; then
  echo "gcc -m32 cannot build the 32-bit probe (Debian: gcc-multilib): $(head -n 1 "$work/err")"
  exit 2
fi
"$work/probe" 2>"$work/err"
status=$?
if [ "$status" != 42 ]; then
  said=$(head -n 1 "$work/err")
  echo "this kernel does not run 32-bit programs (a -m32 probe exited with $status${said:+: $said})"
  exit 1
fi
