#!/usr/bin/env bash
# The Windows builds: mingw-w64 cross builds for 64-bit (build-mingw64/) and 32-bit Windows
# (build-mingw32/), each with its whole test suite under Wine (wine64, and Wine's 32-bit loader in
# a 32-bit prefix), its zip consumed by a build of examples/minimal_host run under Wine, the export
# table, .rdata and import table of its tooltray.dll, the hardening of every DLL and program, and
# thousands of scenes drawn by its gdi32 compared pixel for pixel with the portable layer.
#   scripts/windows.sh [x86_64|i686]...     (default: both)
# Anything missing fails the run, saying what to install. The one reason to skip is a kernel that
# does not run 32-bit programs: then the i686 part prints why and the script exits with 77.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}
arches=("$@")
[ ${#arches[@]} -gt 0 ] || arches=(x86_64 i686)

fail() {
  echo "Windows part FAILED: $*" >&2
  exit 1
}
need() { # tool, Debian package
  command -v "$1" >/dev/null || fail "$1 not found (Debian: $2)"
}
need flock util-linux
skipped=""

check_pe_hardening() { # objdump, files...
  local objdump=$1
  shift
  cmake -DOBJDUMP="$objdump" "-DFILES=$(IFS='|'; echo "$*")" -P tests/windows/check_pe_hardening.cmake
}

# The portable layer's scenes, drawn once per run of this script.
linux=${LINUX_BUILD:-build}
seeds=${SCENE_SEEDS:-300}
host_scenes=${HOST_SCENES:-2000}
portable_scenes() {
  [ -d "$linux/scenes" ] && [ -n "${portable_done:-}" ] && return
  cmake -S . -B "$linux" -G Ninja -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=ON >/dev/null
  cmake --build "$linux" --target render_scenes compare_scenes drawing_timer -j"$jobs" >/dev/null
  rm -rf "$linux/scenes"
  mkdir -p "$linux/scenes"
  echo "portable: $("$linux"/tests/render_scenes "$linux/scenes" "$seeds" "$host_scenes")"
  portable_done=1
}

run_arch() { # x86_64 | i686
  local arch=$1 preset triplet dir wine wine_variable format cannot_run=""
  case $arch in
    x86_64)
      preset=mingw-x86_64 triplet=x86_64-w64-mingw32 dir=build-mingw64 format=pei-x86-64
      wine=${WINE64:-/usr/lib/wine/wine64} wine_variable=TOOLTRAY_WINE64
      [ -x "$wine" ] || fail "$wine not found (Debian: wine64)"
      ;;
    i686)
      preset=mingw-i686 triplet=i686-w64-mingw32 dir=build-mingw32 format=pei-i386
      wine=${WINE32:-/usr/lib/wine/wine} wine_variable=TOOLTRAY_WINE32
      [ -x "$wine" ] || fail "$wine not found (Debian: wine32:i386)"
      local status=0
      cannot_run=$(scripts/probe-32bit.sh) || status=$?
      case $status in
        0) cannot_run="" ;;
        1) wine=none ;; # built and read back, not run
        *) fail "$cannot_run" ;;
      esac
      ;;
    *) fail "unknown Windows architecture '$arch' (x86_64 or i686)" ;;
  esac
  need "$triplet-g++-posix" "g++-mingw-w64-${arch/_/-}"
  need "$triplet-objdump" "binutils-mingw-w64-${arch/_/-}"
  local objdump=$triplet-objdump
  echo "-- $preset: mingw-w64 $("$triplet-g++-posix" -dumpfullversion)"
  cmake --preset "$preset" "-D$wine_variable=$wine" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"

  echo "-- export table, .rdata and import table of $dir/bin/tooltray.dll: som.dll, KXCORE32.dll," \
    "gdi32, user32 and the C runtime only"
  cmake -DOBJDUMP="$objdump" -DLIBRARY="$dir/bin/tooltray.dll" -DEXPECTED=tooltray/tooltray.def \
    -DFORMAT=$format -P tests/windows/check_pe_exports.cmake
  cmake -DOBJDUMP="$objdump" -DLIBRARY="$dir/bin/tooltray.dll" -P tests/windows/check_pe_imports.cmake

  echo "-- hardening of every DLL and program of $dir"
  check_pe_hardening "$objdump" "$dir"/bin/*.dll "$dir"/bin/*.exe
  # The check itself must reject a program linked without any of it.
  printf 'int main(void) { return 0; }\n' >"$dir/unhardened.c"
  # shellcheck disable=SC2054 # commas within linker options
  local unhardened=(-Wl,--disable-dynamicbase -Wl,--disable-nxcompat) expected="DYNAMIC_BASE, NX_COMPAT"
  if [ "$arch" = x86_64 ]; then
    # shellcheck disable=SC2054
    unhardened+=(-Wl,--disable-high-entropy-va)
    expected+=", HIGH_ENTROPY_VA"
  fi
  "$triplet-gcc-posix" "$dir/unhardened.c" -o "$dir/unhardened.exe" "${unhardened[@]}"
  local verdict
  verdict=$(check_pe_hardening "$objdump" "$dir/unhardened.exe" 2>&1 || true)
  grep -q "unhardened.exe: no $expected\$" <<<"$verdict" ||
    fail "the hardening check passed a program built without it: $verdict"
  echo "-- the hardening check rejects a program built without it"

  if [ -n "$cannot_run" ]; then
    echo "Windows $arch suite, example and scenes under Wine skipped: $cannot_run"
    skipped=1
    return
  fi
  echo "-- $("$wine" --version)"

  echo "-- $preset: tests under $(basename "$wine")"
  # Wine's server outlives the tests by 30 s; stop it now on a shared machine.
  stop_wine="WINEPREFIX='$PWD/$dir/wineprefix' '$(dirname "$wine")/wineserver' -k 2>/dev/null || true"
  # shellcheck disable=SC2064 # this build's prefix, fixed now
  trap "$stop_wine" EXIT
  local start=$SECONDS
  ctest --test-dir "$dir" -j"$jobs" --output-on-failure --no-tests=error
  echo "$preset suite under $(basename "$wine"): $((SECONDS - start)) s"

  echo "-- the $preset install tree and zip, consumed by a mingw build of examples/minimal_host"
  WINE=$wine scripts/consumers.sh windows "$dir"

  # Pixel identity: every scene, random palettes included, drawn by real gdi32 under Wine and by
  # the portable layer on Linux, compared pixel for pixel, their hit tests too.
  echo "-- scenes: $arch gdi32 under Wine against the portable layer ($linux)"
  run_windows() { cmake/wine-run.sh "$wine" "$PWD/$dir/wineprefix" "$@"; }
  start=$SECONDS
  portable_scenes
  rm -rf "$dir/scenes"
  mkdir -p "$dir/scenes"
  echo "gdi32 ($arch): $(run_windows "$dir/bin/render_scenes.exe" "$dir/scenes" "$seeds" "$host_scenes")"
  "$linux"/tests/compare_scenes "$dir/scenes" "$linux/scenes"
  echo "scene comparison ($arch): $((SECONDS - start)) s"

  if [ "$arch" = x86_64 ]; then
    echo "-- UpdateTools timed through both (median of repeated runs; informational)"
    echo "gdi32 under Wine:   $(run_windows "$dir/bin/drawing_timer.exe")"
    echo "portable on Linux:  $("$linux"/bench/drawing_timer)"
  fi
  eval "$stop_wine"
  trap - EXIT
}

for arch in "${arches[@]}"; do
  run_arch "$arch"
done
[ -z "$skipped" ] || exit 77
