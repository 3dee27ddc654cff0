#!/usr/bin/env bash
# Builds the benchmarks in Release (build/bench) and runs the state benchmark:
# instance construction against a bare JUCE processor, state chunk sizes, save
# and restore times. Extra arguments go to the benchmark, e.g. --rounds 30.
# ZU_JOBS limits the build's parallel jobs (default: 3).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZU_BUILD_BENCH=ON
cmake --build build/bench --target zu_bench_state --parallel "${ZU_JOBS:-3}"

build/bench/bench/zu_bench_state "$@"
