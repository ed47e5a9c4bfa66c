#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on
# its corpus (FUZZ_SECONDS, default 30). New inputs go to a scratch folder, so
# the corpora in the repository stay small.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DBLOCKWRIGHT_FUZZ=ON \
    -DBLOCKWRIGHT_BUILD_APP=OFF -DBLOCKWRIGHT_BUILD_TESTS=OFF -DBLOCKWRIGHT_BUILD_BENCH=OFF >/dev/null
targets=$(for f in fuzz/*_fuzz.cpp; do basename "$f" .cpp; done)
cmake --build build-fuzz --target $targets
for target in $targets; do
    name=${target%_fuzz}
    target=build-fuzz/fuzz/$target
    scratch=$(mktemp -d)
    echo "fuzzing $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
        -print_final_stats=0 "$scratch" "fuzz/corpus/$name" 2>&1 | tail -n 3
    rm -rf "$scratch"
done
