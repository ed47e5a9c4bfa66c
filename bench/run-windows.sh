#!/usr/bin/env bash
# The Windows wizard's start-up to its first page shown, under Wine, against
# an empty QWizard built the same way (the Windows counterpart of item 3 of
# bench/run.sh; budget 1.5): medians of BENCH_RUNS alternating runs, each a
# process start under Wine, on Qt's minimal platform. Builds into
# build-windows-wizard with Qt from scripts/build-qt-windows.sh. Exits 1 when
# the budget is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${BENCH_RUNS:-11}
export BLOCKWRIGHT_QT_WINDOWS
BLOCKWRIGHT_QT_WINDOWS=$(scripts/build-qt-windows.sh | tail -1)
cmake --preset windows-wizard -DBLOCKWRIGHT_BUILD_BENCH=ON >/dev/null
cmake --build build-windows-wizard --target wizard_start_bench empty_wizard_bench windows_runtime \
    >/dev/null
bin=$PWD/build-windows-wizard/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX=$PWD/build-windows/wine WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_RUNTIME_DIR=$work
scripts/wine-prefix.sh

micros() { local t=$EPOCHREALTIME; echo "${t/./}"; }
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
# The platform is named on the command line: Wine passes no QT_ variable on.
run() { scripts/wine.sh "$bin/$1.exe" -platform minimal >/dev/null 2>&1; }
run wizard_start_bench || { echo "bench: wizard_start_bench failed" >&2; exit 2; }
run empty_wizard_bench || { echo "bench: empty_wizard_bench failed" >&2; exit 2; }
wizard=() empty=()
for ((i = 0; i < runs; i++)); do
    start=$(micros); run wizard_start_bench; wizard+=($(($(micros) - start)))
    start=$(micros); run empty_wizard_bench; empty+=($(($(micros) - start)))
done
awk -v m="$(median "${wizard[@]}")" -v b="$(median "${empty[@]}")" -v runs="$runs" 'BEGIN {
    r = m / b
    printf "medians of %d runs under Wine\n", runs
    printf "3w. Windows wizard to its first page, against an empty QWizard %8.1f ms / %8.1f ms = %6.2f  %s (budget 1.5)\n",
        m / 1000, b / 1000, r, (r <= 1.5 ? "ok" : "MISSED")
    exit (r <= 1.5 ? 0 : 1) }'
