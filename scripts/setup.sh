#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Works as root or through sudo on a fresh Debian 12 machine.
set -euo pipefail

packages=(
    juce-modules-source cmake ninja-build pkg-config g++ libgtest-dev libgmock-dev
    ccache xvfb xauth dpf-plugins-vst
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    # No recommends: juce-modules-source recommends a package that registers
    # another set of VST2 interface headers, which the build must never take.
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
