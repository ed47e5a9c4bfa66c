#!/usr/bin/env bash
# Measures the speed budgets in one run on this machine and prints each as a
# ratio to a baseline timed alongside it (medians of BENCH_RUNS alternating
# runs):
#   1. `blockwright generate` of the largest blocks against `cp -r` of the
#      tree it produced, process start to exit: for information only, as the
#      copy syncs nothing and so costs a fraction of what lasting files do
#   1d. the same against `cp -r` followed by a sync of every file and folder
#      it copied: the generation syncs each file before its rename and each
#      folder after, so that a power loss leaves the old file or the new one,
#      and this baseline makes its copy as lasting             (budget 1.2)
#   1b. `blockwright generate` again over that tree, where nothing changes
#      and nothing is written, against the same `cp -r`       (budget 2.5)
#   1c. the same against the first generation, timed alongside: at most as
#      slow                                                    (budget 1.0)
#   2. the same generation through the wizard's generate page, pump active,
#      against the command line's generation, both timed inside one process
#      so that neither start-up counts                         (budget 1.5)
#   3. wizard start-up to its first page shown against a minimal Qt program
#      showing an empty QWizard                               (budget 1.5)
# Builds Release into BENCH_BUILD_DIR (default build-bench). Exits 1 when a
# budget is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C
build=${BENCH_BUILD_DIR:-build-bench}
runs=${BENCH_RUNS:-11}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBLOCKWRIGHT_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target blockwright make_largest_block wizard_generate_bench \
    wizard_start_bench empty_wizard_bench >/dev/null

bin=$PWD/$build
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Settings go to a scratch folder; file heads get a fixed time; no display.
export XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/config-system
export SOURCE_DATE_EPOCH=1700000000 QT_QPA_PLATFORM=offscreen
"$bin/bench/tools/make_largest_block" "$work"

micros() { local t=$EPOCHREALTIME; echo "${t/./}"; }

# pair PREPARE_A RUN_A PREPARE_B RUN_B: runs each pair of functions once to
# warm up (failing loudly), then BENCH_RUNS times alternately; prints the two
# medians in microseconds.
pair() {
    local a=() b=() start i
    "$1" && "$2" >/dev/null || { echo "bench: $2 failed" >&2; exit 2; }
    "$3" && "$4" >/dev/null || { echo "bench: $4 failed" >&2; exit 2; }
    for ((i = 0; i < runs; i++)); do
        "$1"; start=$(micros); "$2" >/dev/null; a+=($(($(micros) - start)))
        "$3"; start=$(micros); "$4" >/dev/null; b+=($(($(micros) - start)))
    done
    echo "$(median "${a[@]}") $(median "${b[@]}")"
}
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

missed=0
nothing() { :; }
# report WHAT MEASURED BASELINE [BUDGET]: without a budget the ratio is shown
# for information and misses nothing.
report() {
    local verdict
    verdict=$(awk -v m="$2" -v b="$3" -v l="${4:-}" 'BEGIN {
        r = m / b
        printf "%6.2f  %s", r, (l == "" ? "(no budget)" : r <= l ? "ok (budget " l ")" : "MISSED (budget " l ")")
    }')
    printf '%-58s %8.1f ms / %8.1f ms = %s\n' "$1" "$(ms "$2")" "$(ms "$3")" "$verdict"
    [[ $verdict != *MISSED* ]] || missed=1
}
ms() { awk -v u="$1" 'BEGIN { printf "%.1f", u / 1000 }'; }

echo "medians of $runs runs, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
for block in Largest LargestDsp; do
    template=$work/$block.tbt
    clean_cli() { rm -rf "$work/cli"; }
    cli() {
        "$bin/bin/blockwright" generate "$template" --directory "$work/cli" \
            --overwrite all --splice no 2>/dev/null
    }
    clean_copy() { rm -rf "$work/copy"; }
    copy() { cp -r "$work/tree" "$work/copy"; }
    lasting_copy() { copy && find "$work/copy" -exec sync {} +; }

    clean_cli && cli >/dev/null && rm -rf "$work/tree" && mv "$work/cli" "$work/tree"
    echo "$block: $(find "$work/tree" -type f | wc -l) files, $(du -sk "$work/tree" | cut -f1) KiB"
    times=$(pair clean_cli cli clean_copy copy)
    read -r generated copied <<<"$times"
    report "  1. generate, against cp -r of its tree" "$generated" "$copied"
    times=$(pair clean_cli cli clean_copy lasting_copy)
    read -r generated copied <<<"$times"
    report "  1d. generate, against cp -r and a sync of what it copied" "$generated" "$copied" 1.2
    regenerate() {
        "$bin/bin/blockwright" generate "$template" --directory "$work/regen" \
            --overwrite all --splice no 2>/dev/null
    }
    rm -rf "$work/regen" && cp -r "$work/tree" "$work/regen"
    times=$(pair nothing regenerate clean_copy copy)
    read -r regenerated copied <<<"$times"
    report "  1b. regenerate unchanged, against cp -r of its tree" "$regenerated" "$copied" 2.5
    times=$(pair nothing regenerate clean_cli cli)
    read -r regenerated generated <<<"$times"
    report "  1c. regenerate unchanged, against generate" "$regenerated" "$generated" 1.0
    times=$("$bin/bin/wizard_generate_bench" "$template" "$work/in-process" "$runs" 2>/dev/null) ||
        { echo "bench: wizard_generate_bench failed" >&2; exit 2; }
    read -r pumped generated <<<"$times"
    report "  2. generate page with the pump, against generate (in process)" "$pumped" "$generated" 1.5
done

start_wizard() { "$bin/bin/wizard_start_bench" 2>/dev/null; }
start_empty() { "$bin/bench/tools/empty_wizard_bench" 2>/dev/null; }
times=$(pair nothing start_wizard nothing start_empty)
read -r wizard empty <<<"$times"
report "3. wizard to its first page, against an empty QWizard" "$wizard" "$empty" 1.5
exit $missed
