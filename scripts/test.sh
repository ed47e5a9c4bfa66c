#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j2 --output-junit test-results.xml
# Every skip with its reason; one nobody expected fails the run.
scripts/list-skips.py linux build/test-results.xml
# The Debian package built from the same build/, unpacked and run.
scripts/package-check.sh
# The command line built for Windows: its core tests and the example
# generations under Wine (BLOCKWRIGHT_WINDOWS=0 leaves them out).
if [ "${BLOCKWRIGHT_WINDOWS:-1}" = 1 ]; then
    scripts/windows-check.sh
fi
# The Windows wizard and its installer under Wine, with Qt built for Windows
# from Debian's source (once, then cached in /var/cache/blockwright):
# BLOCKWRIGHT_WINDOWS_WIZARD=0 leaves them out.
if [ "${BLOCKWRIGHT_WINDOWS_WIZARD:-1}" = 1 ]; then
    scripts/windows-wizard-check.sh
fi
if [ -x scripts/fuzz.sh ]; then
    scripts/fuzz.sh
fi
# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
# A second full build (about 20 minutes here on 2 busy cores, the tests 80 s) would
# put CI near its 30-minute limit, so it runs only when asked: BLOCKWRIGHT_SANITIZE=1.
if [ "${BLOCKWRIGHT_SANITIZE:-0}" = 1 ]; then
    cmake --workflow --preset asan
fi
