#!/usr/bin/env bash
# Builds the Release plug-in and installs it as ~/.vst/ZU-MIRA8.so.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --target ZU-MIRA8_VST

mkdir -p "$HOME/.vst"
cp build/release/plugin/ZU-MIRA8.so "$HOME/.vst/ZU-MIRA8.so.tmp"
mv "$HOME/.vst/ZU-MIRA8.so.tmp" "$HOME/.vst/ZU-MIRA8.so"
echo "Installed $HOME/.vst/ZU-MIRA8.so"
