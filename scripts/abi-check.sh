#!/usr/bin/env bash
# The shipped libraries' binary interface against the baseline stored in abi/: each library is
# built (Release, with debug info for abidw to read types from; the baseline was made the same
# way), dumped with abidw, and compared with abidiff. Any difference fails, additions included.
#   abi-check.sh            check
#   abi-check.sh --update   rewrite the baseline from this build: for a change meant to alter the
#                           ABI, committed with it, the commit message saying why
# abidiff compares what the exported functions and variables reach: their signatures, and the
# types they take and give (the class data records, KxRect, KxPoint, KxToolSpaceRect, ...). The
# layouts the interface fixes that no export reaches (ToolTrayData, ToolInfo) are reached from
# abi/layouts.cpp, dumped and compared as one more library. Types the public headers name but
# never define are the libraries' own business (abi/opaque-types.suppr).
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-check}
build=${ABI_BUILD:-build-abi}
jobs=${JOBS:-2}
baseline=abi

# Source paths are written relative to the checkout, so the dumps do not depend on where it is.
flags="-g -fdebug-prefix-map=$PWD=."
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_C_FLAGS=$flags" \
  "-DCMAKE_CXX_FLAGS=$flags" -DTOOLTRAY_WERROR=ON -DTOOLTRAY_TESTS=OFF -DTOOLTRAY_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target som kxcore gdi tooltray abi_layouts >/dev/null

dump() { # library, output
  abidw --exported-interfaces-only --no-corpus-path --no-comp-dir-path --no-show-locs --type-id-style hash \
    --out-file "$2" "$1"
}
compare() { # library, abidiff options...
  local lib=$1 report
  shift
  if report=$(abidiff --no-show-locs "$@" "$baseline/$lib.abi" "$build/abi/$lib.abi"); then
    return 0
  else
    echo "$lib: ABI differs from $baseline/$lib.abi (abidiff $* exit $?):"
    echo "$report" | sed 's/^/    /'
    return 1
  fi
}

mkdir -p "$baseline" "$build/abi"
status=0
for lib in libtooltray libtooltray-som libtooltray-kxcore libtooltray-gdi libabi_layouts; do
  file=$(find "$build" \( -name "$lib.so.*.*.*" -o -name "$lib.so" \) -type f | head -n1)
  [ -n "$file" ] || { echo "$lib: not built in $build" >&2; exit 1; }
  dump "$file" "$build/abi/$lib.abi"
  if [ "$mode" = --update ]; then
    cp "$build/abi/$lib.abi" "$baseline/$lib.abi"
    echo "$lib: baseline written to $baseline/$lib.abi"
  elif [ ! -f "$baseline/$lib.abi" ]; then
    echo "$lib: no baseline in $baseline/ (abi-check.sh --update makes it)" >&2
    status=1
  elif compare $lib --suppressions $baseline/opaque-types.suppr; then
    echo "$lib: ABI as in $baseline/$lib.abi"
  else
    status=1
  fi
done
[ $status -eq 0 ] || echo "ABI check failed: if the change is meant, run scripts/abi-check.sh --update" \
  "and commit abi/ with it, saying why" >&2
exit $status
