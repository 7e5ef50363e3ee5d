#!/bin/sh
# Records how real GDI (Wine's, run as a black box) behaves on the cases in
# tests/gdi_probe/probe_cases.h: 64-bit gdi32 under wine64 into tests/data/gdi_probe.txt, and with
# `i686` 32-bit gdi32 under Wine's 32-bit loader into tests/data/gdi_probe_i686.txt. The portable
# layer must reproduce the recording of its own pointer width exactly (the gdi_tests replay), and
# the two recordings must agree wherever the layouts of BITMAP and LOGBRUSH play no part. The whole
# text of the sweeps, which the data file holds as digests, goes to $work/probe-full.txt: compare it
# with `gdi_probe_portable <file> x --full` from a Linux build to see which stretch differs.
#   scripts/record-gdi-probe.sh [x86_64|i686]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-x86_64}
case $arch in
  x86_64) triplet=x86_64-w64-mingw32 wine=${WINE:-/usr/lib/wine/wine64} data=gdi_probe.txt ;;
  i686) triplet=i686-w64-mingw32 wine=${WINE:-/usr/lib/wine/wine} data=gdi_probe_i686.txt
        export WINEARCH=win32 ;;
  *) echo "usage: record-gdi-probe.sh [x86_64|i686]" >&2; exit 2 ;;
esac
work=${GDI_PROBE_WORK:-$root/build/gdi-probe-$arch}
mkdir -p "$work"
flags=""
# SSE arithmetic, as the i686 builds have it (cmake/mingw-i686.cmake).
[ "$arch" = x86_64 ] || flags="-msse2 -mfpmath=sse"
# shellcheck disable=SC2086
$triplet-g++ -std=c++20 -O1 -Wall -Wextra -Werror -static $flags \
    -I"$root" -o "$work/probe.exe" "$root/tests/gdi_probe/probe.cpp" -lgdi32 -luser32
version=$("$wine" --version)
WINEDEBUG=-all WINEPREFIX="$work/prefix" "$wine" "$work/probe.exe" "$work/probe.txt" \
    "Recorded from real GDI: $version, $arch, by scripts/record-gdi-probe.sh $arch"
WINEDEBUG=-all WINEPREFIX="$work/prefix" "$wine" "$work/probe.exe" "$work/probe-full.txt" \
    "Recorded from real GDI: $version, $arch, whole sweeps" --full
WINEPREFIX="$work/prefix" "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
cp "$work/probe.txt" "$root/tests/data/$data"
tail -n 1 "$root/tests/data/$data"
