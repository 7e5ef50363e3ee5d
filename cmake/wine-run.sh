#!/usr/bin/env bash
# Runs a Windows program under Wine for gtest discovery and ctest:
#   wine-run.sh <wine64 or wine> <wine prefix> <program.exe> [arguments...]
# Creates the prefix on first use (serialised, since ctest and the build start programs in
# parallel), silences Wine's own logging and drops the CRs that the Windows C runtime writes before
# each LF, which would otherwise end up in discovered test names and in compared output.
set -euo pipefail
wine=$1
prefix=$2
shift 2
export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono or Gecko install prompts: nothing here needs them, and there may be no display.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

wineserver=$(dirname "$wine")/wineserver
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -e "$prefix/.initialised" ]; then
  # Wine's 32-bit loader (an ELF file of class 1) makes a 32-bit prefix, a 32-bit Windows
  # throughout; left to itself it would make a 64-bit one and run programs through its 32-bit
  # layer. (Only a new prefix takes the setting.)
  arch=()
  [ "$(od -An -tx1 -j4 -N1 "$wine" | tr -d ' ')" != 01 ] || arch=(WINEARCH=win32)
  if ! env "${arch[@]}" "$wine" wineboot --init </dev/null >"$prefix.log" 2>&1 9>&-; then
    echo "wine-run.sh: creating the Wine prefix $prefix failed:" >&2
    cat "$prefix.log" >&2
    exit 1
  fi
  # wineboot returns before the server has written the registry; wait for it.
  "$wineserver" -w </dev/null >/dev/null 2>&1 9>&- || true
  touch "$prefix/.initialised"
fi
# Start the server and Wine's session processes (services, desktop, ...) here, detached from our
# output and the lock: otherwise the first program lends them its stdout and stderr, and ctest
# waits for them. The server stays up 30 s after the last program, so the many short runs of a
# suite share one session, and it still goes away on its own.
if "$wineserver" -p30 </dev/null >/dev/null 2>&1 9>&-; then
  "$wine" wineboot </dev/null >/dev/null 2>&1 9>&- || true
fi
exec 9>&-

# The program's output goes through files, not straight to our caller: should the session end
# just before the program starts, the processes Wine then starts for it inherit only these files,
# and cannot keep the caller waiting for the end of its pipes.
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0
"$wine" "$@" </dev/null >"$out" 2>"$err" || status=$?
tr -d '\r' <"$out"
tr -d '\r' <"$err" >&2
exit "$status"
