#!/usr/bin/env bash
# Builds blockwright.exe and the core tests for Windows with MinGW-w64, runs
# the tests under Wine, and checks that the Windows program generates the
# shipped example and the largest benchmark blocks as the Linux one does: the
# same files with the same bytes, apart from lines that name folders. The
# Windows output goes to a folder with a non-ASCII name, where the Windows
# program then tries the example. Needs the Linux build in build/
# (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

export WINEPREFIX="${WINEPREFIX:-$PWD/build-windows/wine}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Rebuilds share the compiler cache with the other builds where there is one.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake --preset windows "${launcher[@]}" >/dev/null
cmake --build --preset windows
scripts/wine.sh wineboot --init >/dev/null 2>&1 || true
rm -f build-windows/tests/*_tests.xml
ctest --preset windows
scripts/list-skips.py windows build-windows/tests/core_tests.xml build-windows/tests/files_tests.xml \
    build-windows/tests/trial_tests.xml

out=out/windows-check
rm -rf "$out"
mkdir -p "$out"
build/bench/tools/make_largest_block "$out"
export SOURCE_DATE_EPOCH=1700000000
for template in examples/Gain.tbt "$out/Largest.tbt" "$out/LargestDsp.tbt"; do
    name=$(basename "$template" .tbt)
    build/bin/blockwright generate "$template" --directory "$out/linux/$name" \
        --overwrite all --splice no >/dev/null
    scripts/wine.sh build-windows/bin/blockwright.exe generate "$template" \
        --directory "$out/windows/Blöcke/$name" --overwrite all --splice no >/dev/null
done

# Lines naming a folder differ by design: the block's own folder, the
# program's folder (stock libraries), and the template's Directory.
folder_lines='([A-Za-z]:\\|^Directory=|out[/\\]windows|out[/\\]linux)'
if ! diff -r -q "$out/linux" "$out/windows/Blöcke" >/dev/null; then
    status=0
    for file in $(cd "$out/linux" && find . -type f | sort); do
        left="$out/linux/$file" right="$out/windows/Blöcke/$file"
        if [ ! -f "$right" ]; then
            echo "missing from the Windows output: $file" >&2
            status=1
        elif [ "$(basename "$file")" = .blockwright-written ]; then
            # The record of what was written holds digests of whole files,
            # folder lines included.
            continue
        elif ! cmp -s <(grep -avE "$folder_lines" "$left") <(grep -avE "$folder_lines" "$right"); then
            echo "differs beyond folder lines: $file" >&2
            diff <(grep -avE "$folder_lines" "$left") <(grep -avE "$folder_lines" "$right") | head -5 >&2
            status=1
        fi
    done
    [ "$(cd "$out/linux" && find . -type f | wc -l)" = \
      "$(cd "$out/windows/Blöcke" && find . -type f | wc -l)" ] || { echo "file counts differ" >&2; status=1; }
    [ "$status" = 0 ] || exit 1
fi
echo "The Windows program's output equals the Linux program's apart from folder lines"

# The Windows program tries the example it generated into the folder with
# the non-ASCII name, natively, with the tests' MinGW (which starts the Linux
# cross tools) on its PATH, in the tests' Wine folder (null graphics driver,
# set up by ctest above).
WINEPREFIX=$PWD/build-windows/tests/wineprefix WINEPATH="Z:$PWD/build-windows/tests/mingw-shim" \
    scripts/wine.sh build-windows/bin/blockwright.exe try "$out/windows/Blöcke/Gain" --strictness 1

