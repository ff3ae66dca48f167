#!/usr/bin/env bash
# Configures (once) and builds into build/. Extra arguments go to the CMake configure step.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja "$@"
elif [ $# -gt 0 ]; then
    cmake -S . -B build "$@"
fi
cmake --build build -j "$(nproc)"
