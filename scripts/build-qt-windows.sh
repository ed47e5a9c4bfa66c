#!/usr/bin/env bash
# Builds Qt (qtbase) for 64-bit Windows from Debian's own source package, the
# same version as the installed qt6-base-dev, so that Debian's host tools
# (moc, rcc, uic) serve the cross build and no host Qt is built. Installs into
# a cache folder keyed by the Qt version, the project's patches and the
# configure options; with that folder present it does nothing.
# Prints the folder on the last line of standard output; with --print-prefix
# it only prints the folder a build would use.
# Environment: BLOCKWRIGHT_QT_CACHE (default /var/cache/blockwright),
# BLOCKWRIGHT_QT_JOBS (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
start=$SECONDS
elapsed() { echo "build-qt-windows: $1 after $((SECONDS - start)) s" >&2; }

version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
if [ -z "$version" ]; then
    echo "build-qt-windows: qt6-base-dev is not installed (scripts/install-deps.sh installs it)" >&2
    exit 1
fi
upstream=${version%%+*}
upstream=${upstream%%-*}

shopt -s nullglob
patches=(packaging/windows/qt-patches/*.patch)
key=$( (echo "$version" && cat packaging/windows/mingw-w64-qt.cmake \
    packaging/windows/qt-configure.txt packaging/windows/qt-patches/*) | sha256sum | cut -c1-12)
cache=${BLOCKWRIGHT_QT_CACHE:-/var/cache/blockwright}
prefix=$cache/qt-$upstream-mingw64-$key
if [ "${1:-}" = --print-prefix ]; then
    echo "$prefix"
    exit 0
fi
if [ -f "$prefix/.complete" ]; then
    elapsed "Qt $upstream for Windows already built in $prefix"
    echo "$prefix"
    exit 0
fi

work=${BLOCKWRIGHT_QT_WORK:-/var/tmp/blockwright-qt-build}
rm -rf "$work"
mkdir -p "$work" "$cache"
trap 'rm -rf "$work"' EXIT

# The source of exactly the installed version: a deb-src line of our own for
# the suite the binary packages come from.
fetch_source() {
    local list=/etc/apt/sources.list.d/blockwright-src.list
    if [ ! -f $list ] && [ "$(id -u)" = 0 ]; then
        local suite
        suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
        echo "deb-src http://deb.debian.org/debian $suite main" >$list
        apt-get update -qq
    fi
    (cd "$work" && apt-get source --download-only "qt6-base=$version") >&2
}
if ! fetch_source; then
    cat >&2 <<MSG
build-qt-windows: could not download the source of qt6-base $version.
  Debian's source package is needed: add a deb-src line for your suite, e.g.
    echo 'deb-src http://deb.debian.org/debian bookworm main' > /etc/apt/sources.list.d/blockwright-src.list
    apt-get update
  and check the network; if the archive no longer has version $version, upgrade
  qt6-base-dev and qt6-base-dev-tools to the version it has (the host tools
  and the cross-built Qt must be the same version).
MSG
    exit 1
fi
orig=("$work"/qt6-base_*.orig.tar.xz)
if [ ! -f "$work/qt6-base_$version.dsc" ] || [ ! -f "${orig[0]}" ]; then
    echo "build-qt-windows: the archive's qt6-base source is not version $version," \
        "the installed qt6-base-dev's; install matching qt6-base-dev and qt6-base-dev-tools" >&2
    exit 1
fi
tar -xf "${orig[0]}" -C "$work"
src=$(echo "$work"/qtbase-everywhere-src-*)
elapsed "source of Qt $version unpacked"

# Debian's +dfsg source leaves out the Wintab headers the Windows platform
# plugin includes for tablet input; Wine's LGPL headers declare the same API,
# behind a small shim (see the shim's comment).
wintab=$src/src/3rdparty/wintab
mkdir -p "$wintab"
cp /usr/include/wine/wine/windows/wintab.h "$wintab/wine-wintab.h"
cp /usr/include/wine/wine/windows/pktdef.h packaging/windows/qt-patches/wintab.h "$wintab/"
for p in "${patches[@]}"; do
    patch -d "$src" -p1 --quiet <"$p"
done

mapfile -t options < <(grep -v '^#' packaging/windows/qt-configure.txt | grep .)
# Through ccache where there is one: a build that stopped, or one with a
# changed option, compiles again only what changed.
if command -v ccache >/dev/null; then
    options+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
nice cmake -G Ninja -S "$src" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$root/packaging/windows/mingw-w64-qt.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix.partial" \
    "${options[@]}" >"$work/configure.log" 2>&1 || {
    tail -40 "$work/configure.log" >&2
    exit 1
}
elapsed "configured"
nice cmake --build "$work/build" -j "${BLOCKWRIGHT_QT_JOBS:-2}" >"$work/build.log" 2>&1 || {
    # The work folder goes with the exit: the whole log stays in the cache.
    cp "$work/build.log" "$cache/qt-build-failed.log"
    grep -A20 -m3 '^FAILED:' "$work/build.log" >&2 || tail -40 "$work/build.log" >&2
    echo "build-qt-windows: the build failed; the whole log is $cache/qt-build-failed.log" >&2
    exit 1
}
elapsed "built"
rm -rf "$prefix.partial"
cmake --install "$work/build" >/dev/null
mv "$prefix.partial" "$prefix"
touch "$prefix/.complete"
elapsed "Qt $upstream for Windows installed in $prefix"
echo "$prefix"
