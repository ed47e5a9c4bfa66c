#!/usr/bin/env bash
# Builds the Debian package from build/, unpacks it into a scratch root,
# generates the example block with the unpacked program, validates the desktop
# entry and the AppStream metadata, and runs lintian: its warnings are listed,
# its errors fail the check.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || scripts/build.sh
cmake --build build
rm -f build/blockwright_*.deb
(cd build && cpack -G DEB >/dev/null)
package=$(ls build/blockwright_*.deb)
echo "package: $package"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"
program=$root/usr/bin/blockwright
share=$root/usr/share

"$program" --version
XDG_CONFIG_HOME=$root/config XDG_CONFIG_DIRS=$root/config-system SOURCE_DATE_EPOCH=1700000000 \
    "$program" generate "$share/blockwright/examples/Gain.tbt" --directory "$root/out" >/dev/null
# The stock icon came from the package's data folder.
cmp "$share/blockwright/process.ico" "$root/out/gain.ico"
[ -f "$root/usr/lib/blockwright/blockwright-wizard.so" ]
# The stand-in host lies beside the stock files as the build made it (where
# the build had the MinGW-w64 compilers for it).
if [ -d build/standin ]; then
    (cd build/standin && find . -type f -printf '%P\n') | while read -r file; do
        cmp "build/standin/$file" "$share/blockwright/standin/$file"
    done
fi

desktop-file-validate "$share/applications/com.calderic.Blockwright.desktop"
appstreamcli validate --no-net --pedantic "$share/metainfo/com.calderic.Blockwright.metainfo.xml"

report=$(lintian --fail-on none --tag-display-limit 0 "$package" || true)
echo "lintian:"
echo "${report:-  (nothing to report)}"
if grep -q '^E: ' <<<"$report"; then
    echo "lintian found errors in $package" >&2
    exit 1
fi
echo "package check passed"
