#!/usr/bin/env bash
# Installs what is missing, builds the library and runs a demo host: with a display, the live
# palette window (tooltray-palette; Escape closes it); without one, or with --png first, the demo
# host that renders a sample palette to palette.png. Other arguments go to the host that runs
# (--help lists its options).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh demo
cmake -S . -B build-demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOOLTRAY_TESTS=OFF -DTOOLTRAY_BENCH=OFF >/dev/null
why="no display (DISPLAY is not set)"
if [ "${1:-}" = --png ]; then
  why="--png given"
  shift
elif [ -n "${DISPLAY:-}" ]; then
  if cmake --build build-demo --target tooltray-palette -j"$(nproc)" >/dev/null 2>&1 &&
     [ -x build-demo/host/tooltray-palette ]; then
    echo "demo: opening the live palette window on $DISPLAY (click tools; Escape closes it)"
    exec build-demo/host/tooltray-palette "$@"
  fi
  why="the live window could not be built (Debian: libsdl2-dev)"
fi
cmake --build build-demo --target tooltray-demo -j"$(nproc)"
echo "demo: $why: rendering the palette into a PNG file"
build-demo/host/tooltray-demo "$@"
