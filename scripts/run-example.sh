#!/usr/bin/env bash
# Installs what is missing, builds, and generates the shipped example block
# into out/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
# The example names its block directory relative to itself: ../out/Gain.
build/src/app/blockwright generate examples/Gain.tbt --overwrite all --splice yes
