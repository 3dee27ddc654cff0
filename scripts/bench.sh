#!/usr/bin/env bash
# Builds the benchmarks in Release (build/bench) and runs the engine benchmark,
# or with "dsp" first the signal module's benchmark. Extra arguments go to the
# benchmark, e.g. scripts/bench.sh --seconds 10 --block 512, scripts/bench.sh dsp --seconds 5.
# ZU_JOBS limits the build's parallel jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZU_BUILD_BENCH=ON
bench=zu_bench_engine
if [[ "${1:-}" == dsp ]]; then
    bench=zu_bench_dsp
    shift
fi
cmake --build build/bench --target "$bench" --parallel "${ZU_JOBS:-$(nproc 2>/dev/null || echo 2)}"

"build/bench/bench/$bench" "$@"
