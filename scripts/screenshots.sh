#!/usr/bin/env bash
# Writes a picture of every wizard page (and of the run and its overwrite
# question, of pages 2 to 6 and 7 to 9 filled with a filter block and the parameter
# dialogs, and of a try's result) to out/screenshots/, drawn on a virtual X display (Xvfb).
# Usage: scripts/screenshots.sh [build-dir]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
out="$PWD/out/screenshots"
cmake -S . -B "$build" -G Ninja -DBLOCKWRIGHT_BUILD_APP=ON >/dev/null
cmake --build "$build" --target app_tests -- -j2
mkdir -p "$out"
rm -f "$out"/*.png
BLOCKWRIGHT_SCREENSHOTS="$out" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tests/app_tests" --gtest_filter='Screenshots.*'
ls "$out"
