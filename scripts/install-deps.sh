#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; does nothing when all
# of it is there already.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev
    clang libclang-rt-14-dev
    gcc-mingw-w64-i686 binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix wine wine64
    qt6-base-dev-tools libwine-dev nsis patch xz-utils
    xvfb xauth
    dpkg-dev fakeroot lintian desktop-file-utils appstream
    python3 util-linux
    wine32:i386
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]} (run as root, or install them with apt-get)" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# The blocks are 32-bit DLLs; Wine runs them only with its 32-bit part.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
