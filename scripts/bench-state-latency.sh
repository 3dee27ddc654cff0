#!/usr/bin/env bash
# Builds the plug-in and an empty JUCE instrument in Release (build/bench) and
# measures the audio thread's block times while a host thread saves or loads
# the state, for both in the same run. Extra arguments go to the probe, e.g.
# --seconds 5. ZU_JOBS limits the build's parallel jobs (default: 3).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZU_BUILD_BENCH=ON
cmake --build build/bench --target zu_bench_state_latency --parallel "${ZU_JOBS:-3}"

build/bench/bench/zu_bench_state_latency build/bench/plugin/ZU-MIRA8.so build/bench/bench/ZU-Empty.so "$@"
