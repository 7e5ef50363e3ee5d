#!/usr/bin/env bash
# The shipped libraries' binary interface against the baseline stored in abi/: each library is
# built (Release, with debug info for abidw to read types from; the baseline was made the same
# way), dumped with abidw, and compared with abidiff. Any difference fails, additions included.
#   abi-check.sh            check
#   abi-check.sh --update   rewrite the baseline from this build: for a change meant to alter the
#                           ABI, committed with it, the commit message saying why
# Besides what the exported functions reach, the dump holds every type of the public headers and
# the layouts the interface fixes although hosts only see them through pointers or offsets
# (ToolTrayData, ToolInfo), read whether or not an export reaches them.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-check}
build=${ABI_BUILD:-build-abi}
jobs=${JOBS:-2}
baseline=abi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS=-g -DCMAKE_CXX_FLAGS=-g \
  -DTOOLTRAY_WERROR=ON -DTOOLTRAY_TESTS=OFF -DTOOLTRAY_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target som kxcore gdi tooltray >/dev/null

headers=(runtime/som.h runtime/som_description.h runtime/som_class_declaration.h runtime/kxcore.h
         runtime/win_gdi.h geometry/kx_geometry.h geometry/fixed_point.h platform/gdi/gdi.h
         tooltray/tooltray.h tooltray/tooltray_private.h tools/tool_info.h)
dump() { # library, output
  local args=()
  for h in "${headers[@]}"; do args+=(--hf "$PWD/$h"); done
  abidw --load-all-types --drop-private-types "${args[@]}" --no-corpus-path --no-comp-dir-path \
    --no-show-locs --type-id-style hash --out-file "$2" "$1"
}

mkdir -p "$baseline" "$build/abi"
status=0
for lib in libtooltray libtooltray-som libtooltray-kxcore libtooltray-gdi; do
  file=$(find "$build" -name "$lib.so.*.*.*" -type f | head -n1)
  [ -n "$file" ] || { echo "$lib: not built in $build" >&2; exit 1; }
  dump "$file" "$build/abi/$lib.abi"
  if [ "$mode" = --update ]; then
    cp "$build/abi/$lib.abi" "$baseline/$lib.abi"
    echo "$lib: baseline written to $baseline/$lib.abi"
  elif [ ! -f "$baseline/$lib.abi" ]; then
    echo "$lib: no baseline in $baseline/ (abi-check.sh --update makes it)" >&2
    status=1
  elif report=$(abidiff --no-show-locs "$baseline/$lib.abi" "$build/abi/$lib.abi"); then
    echo "$lib: ABI as in $baseline/$lib.abi"
  else
    echo "$lib: ABI differs from $baseline/$lib.abi (abidiff exit $?):"
    echo "$report" | sed 's/^/    /'
    status=1
  fi
done
[ $status -eq 0 ] || echo "ABI check failed: if the change is meant, run scripts/abi-check.sh --update" \
  "and commit abi/ with it, saying why" >&2
exit $status
