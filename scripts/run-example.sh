#!/usr/bin/env bash
# Installs what is missing, builds the program, and generates the shipped
# example block into out/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The program alone, no test or benchmark: the blockwright target brings the
# wizard module along, which `blockwright` without arguments opens.
scripts/build.sh blockwright
# The example names its block directory relative to itself, ../out/Gain; the
# files are listed as from here (out/Gain/Gain.c).
build/bin/blockwright generate examples/Gain.tbt --overwrite all --splice yes
