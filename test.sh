#!/usr/bin/env bash
# Builds the plug-in and every test, then runs them all through CTest under a
# virtual X display.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release -DZU_BUILD_TESTS=ON
cmake --build build/test

jobs=$(nproc 2>/dev/null || echo 2)
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir build/test --output-on-failure -j "$jobs"
