#!/usr/bin/env bash
# Builds the demo in release mode and starts it in the folder that holds its images.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVISTRAL_TESTS=OFF -DVISTRAL_BENCH=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target tree_demo
cd assets
exec ../build/release/app/tree_demo
