#!/usr/bin/env bash
# Builds the Windows installer build-windows/Blockwright-<version>-setup.exe:
# Qt for Windows (scripts/build-qt-windows.sh, cached), the console program
# and the wizard program (the windows-wizard preset), then NSIS.
# BLOCKWRIGHT_QT_WINDOWS names an already built Qt and skips the first step.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS

if [ -z "${BLOCKWRIGHT_QT_WINDOWS:-}" ]; then
    BLOCKWRIGHT_QT_WINDOWS=$(scripts/build-qt-windows.sh | tail -1)
fi
export BLOCKWRIGHT_QT_WINDOWS
# Rebuilds share the compiler cache with the other builds where there is one.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake --preset windows-wizard "${launcher[@]}" >/dev/null
cmake --build --preset windows-wizard

version=$(sed -n 's/^project([^)]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
bin=build-windows-wizard/bin
stage=build-windows/installer-stage
lists=build-windows/installer-lists
rm -rf "$stage" "$lists"
mkdir -p "$stage" "$lists"

# What a user gets: both programs, Qt's DLLs and the plugins the wizard loads,
# MinGW's runtime DLLs, the stock icons and bitmaps beside the programs, the
# examples. The tests, Qt's test library and the minimal platform stay out.
(cd "$bin" && find . -type f ! -name 'wizard_tests.exe' ! -name 'Qt6Test.dll' \
    ! -name 'qminimal.dll' ! -name '*.xml' -printf '%P\n') | while read -r file; do
    mkdir -p "$stage/$(dirname "$file")"
    cp "$bin/$file" "$stage/$file"
done
cp -r examples "$stage/examples"
cp packaging/windows/blockwright.ico "$stage/"
sed 's/$/\r/' README.md >"$stage/README.txt"
{
    cat <<TEXT
Tessaline Blockwright $version
Copyright 2026 Calderic, Inc. All rights reserved.

This program uses Qt $qt_version (Qt Core, Gui, Widgets and Network, and
Qt's Windows platform, Windows Vista style and ICO image plugins), used under
the GNU Lesser General Public License version 3, whose text follows. Qt's DLLs
lie unchanged beside the program (Qt6*.dll and the platforms, styles and
imageformats folders); you may replace them with your own build of the same
Qt version.

Qt's source is Debian's qt6-base source package, version $qt_version
(on Debian: apt-get source qt6-base=$qt_version),
built for MinGW-w64 by scripts/build-qt-windows.sh of Blockwright's source,
with the patches and options in its packaging/windows folder.

The MinGW-w64 runtime DLLs (libstdc++-6.dll, libgcc_s_seh-1.dll: GCC Runtime
Library Exception; libwinpthread-1.dll: MIT licence) come from Debian's
gcc-mingw-w64 and mingw-w64 packages.

========================================================================
GNU LESSER GENERAL PUBLIC LICENSE, version 3
========================================================================
TEXT
    cat /usr/share/common-licenses/LGPL-3
    printf '\n========================================================================\n'
    printf 'GNU GENERAL PUBLIC LICENSE, version 3 (which the LGPL builds on)\n'
    printf '========================================================================\n'
    cat /usr/share/common-licenses/GPL-3
} | sed 's/$/\r/' >"$stage/LICENSES.txt"

# The lists of what is installed, for the installer and the uninstaller.
files=$(cd "$stage" && find . -type f -printf '%P\n' | sort)
folders=$(cd "$stage" && find . -mindepth 1 -type d -printf '%P\n' | sort -r)
{
    for folder in "" $(cd "$stage" && find . -mindepth 1 -type d -printf '%P\n' | sort); do
        echo "SetOutPath \"\$INSTDIR\\${folder//\//\\}\""
        (cd "$stage/${folder:-.}" && find . -maxdepth 1 -type f -printf '%P\n' | sort) |
            while read -r file; do
                path="$PWD/$stage/${folder:+$folder/}$file"
                echo "File \"$path\""
            done
    done
    echo 'SetOutPath "$INSTDIR"'
} >"$lists/files.nsh"
{
    while read -r file; do echo "Delete \"\$INSTDIR\\${file//\//\\}\""; done <<<"$files"
    while read -r folder; do
        [ -n "$folder" ] && echo "RMDir \"\$INSTDIR\\${folder//\//\\}\""
    done <<<"$folders"
} >"$lists/unfiles.nsh"

setup=build-windows/Blockwright-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DLISTS="$PWD/$lists" -DOUTFILE="$PWD/$setup" \
    packaging/windows/installer.nsi
echo "build-windows: wrote $setup in $((SECONDS - start)) s"
