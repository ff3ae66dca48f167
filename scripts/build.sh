#!/usr/bin/env bash
# Configures (once) and builds into build/. Extra arguments go to the CMake configure step.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
# ccache keys on paths relative to the checkout, so a fresh clone elsewhere (CI) reuses what an earlier
# build compiled.
export CCACHE_BASEDIR="$top" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja "${launcher[@]}" "$@"
elif [ $# -gt 0 ]; then
    cmake -S . -B build "$@"
fi
cmake --build build -j "$(nproc)"
