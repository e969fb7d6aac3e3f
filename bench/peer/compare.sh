#!/usr/bin/env bash
# Our tree generator against a well-known procedural tree generator (the npm package
# @dgreenheck/ez-tree, with three) in vertices per second, for trees of about the same
# vertex count: ours is the demo's full tree at NumLevel 3, generated and compiled
# into a display list (bench_levels); the peer's is its default tree with the leaf count
# that comes nearest, generated under Node.
#
# usage: bench/peer/compare.sh [BUILD_DIR]     (default: build/perf)
# The packages go into BUILD_DIR/peer-scratch (never into the source tree). Needs node
# and npm, and bench_levels built in BUILD_DIR.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(realpath "${1:-$root/build/perf}")
scratch="$build/peer-scratch"
levels="$build/bench/bench_levels"

[ -x "$levels" ] || { echo "build bench_levels first: cmake --build $build --target bench_levels"; exit 1; }
command -v node >/dev/null && command -v npm >/dev/null || { echo "node and npm are needed"; exit 1; }

mkdir -p "$scratch"
cp "$here/package.json" "$here/eztree_rate.mjs" "$scratch/"
echo "installing the pinned packages into $scratch"
(cd "$scratch" && npm install --no-audit --no-fund --silent)

echo "our tree (bench_levels, NumLevel 3) ..."
line=$("$levels" --benchmark_filter='BM_TreeLevel/3/' | grep '^peer-input')
vertices=$(sed -n 's/.*vertices=\([0-9]*\).*/\1/p' <<<"$line")
seconds=$(sed -n 's/.*seconds=\([0-9.]*\).*/\1/p' <<<"$line")

echo "the peer's tree of about $vertices vertices ..."
(cd "$scratch" && node eztree_rate.mjs --vertices "$vertices" --ours-seconds "$seconds")
