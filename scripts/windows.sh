#!/usr/bin/env bash
# The Windows builds: 64-bit and 32-bit mingw-w64 cross builds (build-mingw64/, build-mingw32/),
# the 64-bit test suite under Wine, the export table, .rdata and import table of both tooltray.dll
# files, and the hardening of every DLL and program.
# The 32-bit programs are only compiled and linked: this host cannot run them. Without Wine or the
# cross compilers it says why and succeeds, so the Linux parts stand on their own.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

skip() {
  echo "Windows part skipped: $*"
  exit 0
}
for tool in x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-posix \
            x86_64-w64-mingw32-objdump i686-w64-mingw32-objdump flock; do
  command -v "$tool" >/dev/null || skip "$tool not found"
done
wine64=${WINE64:-/usr/lib/wine/wine64}
[ -x "$wine64" ] || wine64=$(command -v wine64 || true)
[ -n "$wine64" ] && [ -x "$wine64" ] || skip "wine64 not found (looked in /usr/lib/wine and PATH)"
echo "$("$wine64" --version), mingw-w64 $(x86_64-w64-mingw32-g++-posix -dumpfullversion)"

for preset in mingw-x86_64 mingw-i686; do
  echo "-- $preset: configure and build"
  cmake --preset "$preset" -DTOOLTRAY_WINE64="$wine64" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
done

echo "-- mingw-x86_64: tests under Wine"
# Wine's server outlives the tests by 30 s; stop it now on a shared machine.
trap 'WINEPREFIX=$PWD/build-mingw64/wineprefix "$(dirname "$wine64")/wineserver" -k 2>/dev/null || true' EXIT
ctest --test-dir build-mingw64 -j"$jobs" --output-on-failure

echo "-- the mingw-x86_64 install tree and zip, consumed by a mingw build of examples/minimal_host"
WINE64=$wine64 scripts/consumers.sh windows build-mingw64

echo "-- export table and .rdata of both DLLs"
cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DLIBRARY=build-mingw64/bin/tooltray.dll \
      -DEXPECTED=tooltray/tooltray.def -DFORMAT=pei-x86-64 -P tests/windows/check_pe_exports.cmake
cmake -DOBJDUMP=i686-w64-mingw32-objdump -DLIBRARY=build-mingw32/bin/tooltray.dll \
      -DEXPECTED=tooltray/tooltray.def -DFORMAT=pei-i386 -P tests/windows/check_pe_exports.cmake
echo "-- import table of both DLLs: som.dll, KXCORE32.dll, gdi32, user32 and the C runtime only"
cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DLIBRARY=build-mingw64/bin/tooltray.dll \
      -P tests/windows/check_pe_imports.cmake
cmake -DOBJDUMP=i686-w64-mingw32-objdump -DLIBRARY=build-mingw32/bin/tooltray.dll \
      -P tests/windows/check_pe_imports.cmake

echo "-- hardening of every DLL and program of both builds"
check_pe_hardening() { # objdump, files...
  local objdump=$1; shift
  cmake -DOBJDUMP="$objdump" "-DFILES=$(IFS='|'; echo "$*")" -P tests/windows/check_pe_hardening.cmake
}
check_pe_hardening x86_64-w64-mingw32-objdump build-mingw64/bin/*.dll build-mingw64/bin/*.exe
check_pe_hardening i686-w64-mingw32-objdump build-mingw32/bin/*.dll build-mingw32/bin/*.exe
# The check itself must reject a program linked without any of the three.
printf 'int main(void) { return 0; }\n' >build-mingw64/unhardened.c
x86_64-w64-mingw32-gcc build-mingw64/unhardened.c -o build-mingw64/unhardened.exe \
  -Wl,--disable-dynamicbase -Wl,--disable-nxcompat -Wl,--disable-high-entropy-va
verdict=$(check_pe_hardening x86_64-w64-mingw32-objdump build-mingw64/unhardened.exe 2>&1 || true)
if grep -q "unhardened.exe: no DYNAMIC_BASE, NX_COMPAT, HIGH_ENTROPY_VA" <<<"$verdict"; then
  echo "-- the hardening check rejects a program built without it"
else
  echo "the hardening check passed a program built without it" >&2
  exit 1
fi

# Pixel identity: every scene, random palettes included, drawn by real gdi32 under Wine and by
# the portable layer on Linux, compared pixel for pixel.
linux=${LINUX_BUILD:-build}
echo "-- scenes: real gdi32 under Wine against the portable layer ($linux)"
cmake -S . -B "$linux" -G Ninja -DTOOLTRAY_TESTS=ON -DTOOLTRAY_BENCH=ON >/dev/null
cmake --build "$linux" --target render_scenes compare_scenes drawing_timer -j"$jobs" >/dev/null
rm -rf build-mingw64/scenes "$linux/scenes"
mkdir -p build-mingw64/scenes "$linux/scenes"
# Then thousands of scenes as hosts set them up (any stretch mode, tools anywhere, every kind of
# bitmap), their hit tests compared too.
seeds=${SCENE_SEEDS:-300}
host_scenes=${HOST_SCENES:-2000}
run_windows() { cmake/wine-run.sh "$wine64" "$PWD/build-mingw64/wineprefix" "$@"; }
start=$(date +%s)
echo "gdi32:    $(run_windows build-mingw64/bin/render_scenes.exe build-mingw64/scenes "$seeds" \
                  "$host_scenes")"
echo "portable: $("$linux"/tests/render_scenes "$linux/scenes" "$seeds" "$host_scenes")"
"$linux"/tests/compare_scenes build-mingw64/scenes "$linux/scenes"
echo "scene comparison: $(($(date +%s) - start)) s"

echo "-- UpdateTools timed through both (median of repeated runs; informational)"
echo "gdi32 under Wine:   $(run_windows build-mingw64/bin/drawing_timer.exe)"
echo "portable on Linux:  $("$linux"/bench/drawing_timer)"
