#!/usr/bin/env bash
# Installs what is missing, builds the library and runs the demo host.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh demo
cmake -S . -B build-demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOOLTRAY_TESTS=OFF -DTOOLTRAY_BENCH=OFF >/dev/null
cmake --build build-demo --target tooltray-demo -j"$(nproc)"
build-demo/host/tooltray-demo "$@"
