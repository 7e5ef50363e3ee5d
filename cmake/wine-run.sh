#!/usr/bin/env bash
# Runs a Windows program under wine64 for gtest discovery and ctest:
#   wine-run.sh <wine prefix> <program.exe> [arguments...]
# Creates the prefix on first use (serialised, since ctest and the build start programs in
# parallel), silences Wine's own logging and drops the CRs that the Windows C runtime writes before
# each LF, which would otherwise end up in discovered test names.
set -euo pipefail
prefix=$1
shift
wine=${WINE64:-/usr/lib/wine/wine64}
export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono or Gecko install prompts: nothing here needs them, and there may be no display.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

if [ ! -e "$prefix/.initialised" ]; then
  mkdir -p "$(dirname "$prefix")"
  exec 9>"$prefix.lock"
  flock 9
  if [ ! -e "$prefix/.initialised" ]; then
    if ! "$wine" wineboot --init >"$prefix.log" 2>&1; then
      echo "wine-run.sh: creating the Wine prefix $prefix failed:" >&2
      cat "$prefix.log" >&2
      exit 1
    fi
    # wineboot returns before the server has written the registry; wait for it.
    "$(dirname "$wine")/wineserver" -w || true
    touch "$prefix/.initialised"
  fi
  exec 9>&-
fi

"$wine" "$@" | tr -d '\r'
