#!/usr/bin/env bash
# Configures and builds into build/ (Release with assertions kept off): every
# target, or only those named (scripts/build.sh blockwright).
set -euo pipefail
cd "$(dirname "$0")/.."
# Rebuilds of several work trees share one compiler cache where there is one.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
targets=()
if [ $# -gt 0 ]; then
    targets=(--target "$@")
fi
cmake --build build "${targets[@]}"
