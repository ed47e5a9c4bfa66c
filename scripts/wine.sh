#!/usr/bin/env bash
# Starts a Windows program under Wine with the loader its machine needs:
#
#   scripts/wine.sh PROGRAM [ARGUMENTS...]
#   scripts/wine.sh --32-bit
#
# PROGRAM is a Windows program's file, or one of Wine's own programs by name
# (wineboot, reg, winepath...), which run as 64-bit programs. Debian's `wine`
# starts the 32-bit loader first once wine32 is installed, and on a kernel
# that runs no 32-bit code that fails before any program starts ("Exec format
# error"); a 64-bit program therefore goes straight to the 64-bit loader, with
# WINELOADER set so that the programs it starts in turn do too. A 32-bit
# program goes to the 32-bit loader, and where that cannot run this says why
# and ends with 126.
#
# --32-bit prints whether 32-bit Windows programs run here and ends with 0
# when they do, 1 when the kernel runs no 32-bit code, 2 when Wine's 32-bit
# part is not installed.
set -euo pipefail

loader_dir=${BLOCKWRIGHT_WINE_DIR:-/usr/lib/wine}
loader64=$loader_dir/wine64
loader32=$loader_dir/wine
# Distributions whose one `wine` runs both kinds have no separate loaders;
# their `wine` is a loader itself, where Debian's is a script that starts the
# 32-bit loader first.
is_loader() { [ "$(head -c 4 "$1" | tail -c 3)" = ELF ]; }
if [ ! -x "$loader64" ]; then
    loader64=$(command -v wine64 || true)
    if [ -z "$loader64" ] && wine=$(command -v wine) && is_loader "$wine"; then
        loader64=$wine
    fi
    [ -n "$loader64" ] || { echo "wine.sh: no 64-bit Wine loader here (scripts/install-deps.sh)" >&2; exit 127; }
    loader32=$loader64
fi

# What the 32-bit loader does when started: yes, or why it cannot run.
thirty_two_bit_status() {
    if [ ! -e "$loader32" ]; then
        echo "no: Wine's 32-bit part is not installed ($loader32 is missing; install wine32:i386)"
        return 2
    fi
    local said status=0
    said=$("$loader32" --version 2>&1) || status=$?
    if [ "$status" = 0 ]; then
        echo "yes"
        return 0
    fi
    if [ "$status" = 126 ] || [[ "$said" == *"format error"* ]]; then
        echo "no: this kernel runs no 32-bit code ($loader32: Exec format error)"
        return 1
    fi
    echo "no: $loader32 --version failed with status $status: $said"
    return 2
}

# The PE machine of a program file: 8664 (x86_64), 14c (i386), or nothing
# when the file is no Windows program.
pe_machine() {
    local header offset
    header=$(od -A n -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ') || return 0
    [ -n "$header" ] || return 0
    offset=$header
    [ "$(od -A n -c -j "$offset" -N 2 "$1" 2>/dev/null | tr -d ' ')" = PE ] || return 0
    od -A n -t x2 -j $((offset + 4)) -N 2 "$1" | tr -d ' '
}

if [ "${1:-}" = --32-bit ]; then
    thirty_two_bit_status
    exit $?
fi
[ $# -ge 1 ] || { echo "usage: scripts/wine.sh PROGRAM [ARGUMENTS...] | --32-bit" >&2; exit 2; }

export WINEDEBUG=${WINEDEBUG:--all}
machine=
[ -f "$1" ] && machine=$(pe_machine "$1")
if [ "$machine" = 14c ]; then
    if ! why=$(thirty_two_bit_status); then
        echo "wine.sh: $1 is a 32-bit program and cannot run here: ${why#no: }" >&2
        exit 126
    fi
    exec "$loader32" "$@"
fi
export WINELOADER=$loader64
exec "$loader64" "$@"
