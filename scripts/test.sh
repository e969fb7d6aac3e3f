#!/usr/bin/env bash
# Builds everything and runs every test: the short fuzz runs, then the CTest suites.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

jobs=$(nproc)

# Fuzz targets: clang with libFuzzer, ASan and UBSan, a short run each.
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DVISTRAL_FUZZ=ON -DVISTRAL_TESTS=OFF -DVISTRAL_BENCH=OFF >/dev/null
cmake --build build/fuzz -j "$jobs" --target fuzzers
for fuzzer in build/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    work=$(mktemp -d)
    [ -d "tests/fuzz/corpus/$name" ] && cp -r "tests/fuzz/corpus/$name/." "$work"
    echo "fuzzing $name for ${FUZZ_SECONDS:-20} s"
    "$fuzzer" -max_total_time="${FUZZ_SECONDS:-20}" -max_len=65536 "$work" 2>&1 | tail -n 1
    rm -rf "$work"
done

# The suites: real GL on llvmpipe, SDL's offscreen driver, Xvfb for the end-to-end runs.
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"
