#!/usr/bin/env bash
# Installs what is missing, builds the library and runs the palette program, tooltray-palette:
# with a display, the live palette window (Escape closes it); without one, or with --png first,
# it renders a sample palette, one tool pressed, to palette.png. Other arguments go to the program
# (--help lists its options).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh demo
cmake -S . -B build-demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOOLTRAY_TESTS=OFF -DTOOLTRAY_BENCH=OFF >/dev/null
cmake --build build-demo --target tooltray-palette -j"$(nproc)" >/dev/null
why="no display (DISPLAY is not set)"
if [ "${1:-}" = --png ]; then
  why="--png given"
  shift
elif [ -n "${DISPLAY:-}" ]; then
  # Without SDL2 the program is built for --render only.
  if ! grep -q '^SDL2_DIR:PATH=.*NOTFOUND' build-demo/CMakeCache.txt; then
    echo "demo: opening the live palette window on $DISPLAY (click tools; Escape closes it)"
    exec build-demo/host/tooltray-palette "$@"
  fi
  why="the live window could not be built (Debian: libsdl2-dev)"
fi
echo "demo: $why: rendering the palette into a PNG file"
build-demo/host/tooltray-palette --render palette.png --press 40,40 "$@"
