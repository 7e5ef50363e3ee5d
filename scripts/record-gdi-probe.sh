#!/bin/sh
# Records how real GDI (Wine's, run as a black box) behaves on the cases in
# tests/gdi_probe/probe_cases.h, into tests/data/gdi_probe.txt. The portable layer in
# platform/gdi/ must reproduce that file exactly; the gdi_tests replay checks it. The whole text of
# the sweeps, which the data file holds as digests, goes to $work/probe-full.txt: compare it with
# `gdi_probe_portable <file> x --full` from a Linux build to see which stretch differs.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
work=${GDI_PROBE_WORK:-$root/build/gdi-probe}
wine=${WINE:-/usr/lib/wine/wine64}
mkdir -p "$work"
x86_64-w64-mingw32-g++ -std=c++20 -O1 -Wall -Wextra -Werror -static \
    -I"$root" -o "$work/probe.exe" "$root/tests/gdi_probe/probe.cpp" -lgdi32 -luser32
version=$("$wine" --version)
WINEDEBUG=-all WINEPREFIX="$work/prefix" "$wine" "$work/probe.exe" "$work/probe.txt" \
    "Recorded from real GDI: $version, x86_64, by scripts/record-gdi-probe.sh"
WINEDEBUG=-all WINEPREFIX="$work/prefix" "$wine" "$work/probe.exe" "$work/probe-full.txt" \
    "Recorded from real GDI: $version, x86_64, whole sweeps" --full
WINEPREFIX="$work/prefix" "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
cp "$work/probe.txt" "$root/tests/data/gdi_probe.txt"
tail -n 1 "$root/tests/data/gdi_probe.txt"
