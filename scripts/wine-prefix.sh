#!/usr/bin/env bash
# Sets up the Wine prefix that WINEPREFIX names for running the Windows
# wizard: created when missing, and the dialog font ("MS Shell Dlg", which
# Wine maps to a Tahoma that Debian's Wine does not ship) mapped to DejaVu
# Sans, which Debian's Qt needs anyway. Without that, Qt falls back to a math
# font whose tall glyph boxes push the text out of every line edit.
# Run it before the first Windows program starts; a second run changes
# nothing.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX names the prefix to set up}"
export WINEDEBUG=${WINEDEBUG:--all}
wine=$(dirname "$0")/wine.sh
"$wine" wineboot --init >/dev/null 2>&1 || true
substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for font in "MS Shell Dlg" "MS Shell Dlg 2"; do
    "$wine" reg add "$substitutes" /v "$font" /d "DejaVu Sans" /f >/dev/null 2>&1
done
wineserver -w
