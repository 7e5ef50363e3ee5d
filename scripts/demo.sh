#!/usr/bin/env bash
# Installs what is missing, builds the library and runs the demo host.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh demo
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOOLTRAY_TESTS=OFF -DTOOLTRAY_BENCH=OFF >/dev/null
cmake --build build --target tooltray-demo -j"$(nproc)"
build/host/tooltray-demo "$@"
