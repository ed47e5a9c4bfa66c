#!/usr/bin/env bash
# The Windows wizard from end to end under Wine: Qt for Windows (built once,
# then cached), the installer (scripts/build-windows.sh), the wizard's tests
# on Qt's minimal platform (and what needs a real window on Windows' own
# platform on a virtual display), then the installer run silently in a scratch
# Wine prefix, the installed command line and wizard started, the uninstaller
# run silently, and nothing of ours left behind but the user's settings.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
step() { echo "windows-wizard-check: $1 ($((SECONDS - start)) s)"; }
fail() {
    echo "windows-wizard-check: $1" >&2
    exit 1
}

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export BLOCKWRIGHT_QT_WINDOWS
BLOCKWRIGHT_QT_WINDOWS=$(scripts/build-qt-windows.sh | tail -1)
step "Qt for Windows in $BLOCKWRIGHT_QT_WINDOWS"
scripts/build-windows.sh
version=$(sed -n 's/^project([^)]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup=$PWD/build-windows/Blockwright-$version-setup.exe
[ -f "$setup" ] || fail "no installer at $setup"
step "installer built"

# The wizard's tests: their results come from the XML file, since Wine may
# not pass a program's standard output on.
export WINEPREFIX=$PWD/build-windows/wine
scripts/wine-prefix.sh
results=build-windows-wizard/tests/wizard_tests.xml
rm -f "$results"
ctest --preset windows-wizard || {
    [ -f "$results" ] && grep -B1 -A3 '<failure' "$results" | head -40 >&2
    fail "the wizard's tests failed under Wine"
}
grep -q '<testsuites tests="[1-9]' "$results" || fail "the wizard's tests wrote no results"
grep -q 'failures="0"' "$results" || fail "the wizard's tests report failures"
scripts/list-skips.py windows "$results" build-windows-wizard/tests/wizard_window_tests.xml ||
    fail "a wizard test skipped for a reason nobody expected"
step "wizard tests passed under Wine ($(sed -n 's/.*<testsuites tests="\([0-9]*\)".*/\1/p' "$results") tests)"

# A scratch prefix with nothing of ours in it. Every program here is a 64-bit
# one and starts through scripts/wine.sh, which takes the 64-bit loader
# straight, so this runs on a kernel without 32-bit support too.
export WINEPREFIX=$PWD/build-windows/wine-install
rm -rf "$WINEPREFIX"
scripts/wine.sh wineboot --init >/dev/null 2>&1 || true
wineserver -w
registry_mentions() {
    cat "$WINEPREFIX"/system.reg "$WINEPREFIX"/user.reg |
        grep -i -E 'blockwright|\.tbt' |
        grep -v -F 'Software\\Calderic\\Tessaline Blockwright' || true
}
# Entries in Apps & features: uninstall keys of both hives that name us.
apps_entries() {
    cat "$WINEPREFIX"/system.reg "$WINEPREFIX"/user.reg | grep -c -F '"DisplayName"="Tessaline Blockwright"' || true
}
before=$(registry_mentions)

scripts/wine.sh "$setup" /AllUsers /S
wineserver -w
folder=$WINEPREFIX/drive_c/Program\ Files/Tessaline\ Blockwright
[ -x "$folder/blockwright.exe" ] || fail "the installer put no blockwright.exe into $folder"
for file in blockwright-wizard.exe Qt6Core.dll Qt6Widgets.dll platforms/qwindows.dll \
    uninstall.exe examples/Gain.tbt LICENSES.txt; do
    [ -f "$folder/$file" ] || fail "the install lacks $file"
done
# Qt's source is named by package and version, not by a download address
# (the licence texts themselves name the FSF's).
! grep -q -i -E 'debian\.org|/pool/main/' "$folder/LICENSES.txt" ||
    fail "the licence text names a download address for Qt's source"
grep -q "qt6-base" "$folder/LICENSES.txt" || fail "the licence text does not name Qt's source package"
[ "$(apps_entries)" = 1 ] || fail "$(apps_entries) entries in Apps & features after installing"
step "installed silently into Program Files"

# What was installed runs: the command line and the Start menu's wizard.
check_installed_programs() {
    local installed_version out target wizard_version
    installed_version=$(scripts/wine.sh "$folder/blockwright.exe" --version | tr -d '\r')
    [[ "$installed_version" == *"$version"* ]] ||
        fail "the installed blockwright.exe --version said \"$installed_version\""
    out=$PWD/out/windows-install
    rm -rf "$out"
    mkdir -p "$out"
    scripts/wine.sh "$folder/blockwright.exe" generate 'C:\Program Files\Tessaline Blockwright\examples\Gain.tbt' \
        --directory "$(scripts/wine.sh winepath -w "$out/Gain")" --overwrite all --splice no >/dev/null ||
        fail "the installed blockwright.exe could not generate the example"
    [ "$(find "$out/Gain" -type f | wc -l)" -gt 5 ] || fail "the installed program generated too little"
    shortcut=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Tessaline\ Blockwright.lnk
    [ -f "$shortcut" ] || fail "no Start-menu entry"
    target=$(scripts/shortcut-target.py "$shortcut")
    [[ "$target" == *'\blockwright-wizard.exe' ]] || fail "the Start-menu entry starts \"$target\""
    wizard_version=$(scripts/wine.sh "$target" --version | tr -d '\r')
    [[ "$wizard_version" == *"$version"* ]] ||
        fail "the wizard from the Start-menu entry ($target) said \"$wizard_version\" to --version"
    grep -q -i 'Calderic.Blockwright.Template' "$WINEPREFIX/system.reg" ||
        fail "the .tbt association is missing"
}
check_installed_programs
step "the installed command line generates the example; the Start-menu entry's wizard answers --version"

# An upgrade: the same installer over the installed program keeps the user's
# settings and leaves one entry in Apps & features.
settings='HKCU\Software\Calderic\Tessaline Blockwright\Settings'
scripts/wine.sh reg add "$settings" /v "Check" /d "kept" /f >/dev/null
scripts/wine.sh "$setup" /AllUsers /S
wineserver -w
[ "$(apps_entries)" = 1 ] || fail "$(apps_entries) entries in Apps & features after installing over itself"
scripts/wine.sh reg query "$settings" /v Check 2>/dev/null | grep -q kept || fail "installing over itself removed the user's settings"
check_installed_programs
step "installed again over itself: the settings kept, one entry in Apps & features, the programs run"

# The user's settings outlive the program.
scripts/wine.sh "$folder/uninstall.exe" /AllUsers /S
wineserver -w
check_nothing_left() {
    local left after
    left=$(find "$WINEPREFIX/drive_c" -iname '*blockwright*' 2>/dev/null || true)
    [ -z "$left" ] || fail "left after uninstalling: $left"
    after=$(registry_mentions)
    [ "$after" = "$before" ] ||
        fail "registry entries left after uninstalling: $(diff <(echo "$before") <(echo "$after"))"
    [ "$(apps_entries)" = 0 ] || fail "Apps & features still lists the program after uninstalling"
}
check_nothing_left
scripts/wine.sh reg query "$settings" /v Check 2>/dev/null | grep -q kept || fail "the uninstaller removed the user's settings"
step "uninstalled silently, nothing of ours left but the user's settings"

# For the current user only, into a chosen folder, with the PATH entry.
scripts/wine.sh "$setup" /CurrentUser /AddToPath /S '/D=C:\Blockwright-Tools'
wineserver -w
mine=$WINEPREFIX/drive_c/Blockwright-Tools
[ -x "$mine/blockwright.exe" ] || fail "the per-user install put nothing into C:\\Blockwright-Tools"
scripts/wine.sh reg query 'HKCU\Environment' /v Path | grep -q -i 'C:\\Blockwright-Tools' ||
    fail "the per-user install did not put its folder on the user's PATH"
scripts/wine.sh "$mine/uninstall.exe" /CurrentUser /S
wineserver -w
scripts/wine.sh reg query 'HKCU\Environment' /v Path 2>/dev/null | grep -q -i 'Blockwright' &&
    fail "the per-user uninstall left its folder on PATH"
check_nothing_left
step "installed for the current user with a PATH entry and uninstalled again"
