#!/usr/bin/env bash
# Builds the benchmarks in Release (build/bench) and runs the engine benchmark.
# Extra arguments go to the benchmark, e.g. scripts/bench.sh --seconds 10 --block 512.
# ZU_JOBS limits the build's parallel jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZU_BUILD_BENCH=ON
cmake --build build/bench --target zu_bench_engine --parallel "${ZU_JOBS:-$(nproc 2>/dev/null || echo 2)}"

build/bench/bench/zu_bench_engine "$@"
