#!/usr/bin/env bash
# Builds the plug-in and an empty JUCE instrument in Release (build/bench) and
# runs the instance-creation probe on both: median time to load, call the entry
# point and open, in fresh processes, and for a second instance in the same
# process. Extra arguments go to the probe, e.g. --runs 30.
# ZU_JOBS limits the build's parallel jobs (default: 3).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZU_BUILD_BENCH=ON
cmake --build build/bench --target zu_bench_instance --parallel "${ZU_JOBS:-3}"

build/bench/bench/zu_bench_instance build/bench/plugin/ZU-MIRA8.so build/bench/bench/ZU-Empty.so "$@"
