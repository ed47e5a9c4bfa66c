#!/usr/bin/env bash
# Writes a picture of every page of the Windows wizard, as scripts/screenshots.sh
# does for Linux (the pages as a new block meets them, filled pages, the run,
# the overwrite question, the completion page), drawn by Qt's Windows
# platform under Wine on a virtual X display (Xvfb), into
# out/screenshots-windows/. Builds what it needs (scripts/build-windows.sh's
# first steps; Qt for Windows comes from the cache or is built).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/out/screenshots-windows
export BLOCKWRIGHT_QT_WINDOWS
BLOCKWRIGHT_QT_WINDOWS=$(scripts/build-qt-windows.sh | tail -1)
cmake --preset windows-wizard >/dev/null
cmake --build --preset windows-wizard
mkdir -p "$out"
rm -f "$out"/*.png
export WINEPREFIX=$PWD/build-windows/wine WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export BLOCKWRIGHT_SCREENSHOTS
BLOCKWRIGHT_SCREENSHOTS=$(scripts/wine.sh winepath -w "$out")
# Qt's Windows platform, not the minimal one the tests use elsewhere; named
# on the command line, since Wine passes no QT_ variable on.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    scripts/wine-prefix.sh
    scripts/wine.sh build-windows-wizard/bin/wizard_tests.exe -platform windows --gtest_filter="Screenshots.*" \
        --gtest_output=xml:build-windows-wizard/screenshots.xml
    status=$?
    wineserver -w
    exit $status'
ls "$out"
