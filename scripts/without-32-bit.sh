#!/usr/bin/env bash
# Runs a command as on a machine whose kernel runs no 32-bit code, to try the
# checks there: in a mount namespace of its own (root, util-linux' unshare),
# every 32-bit program of Wine and the 32-bit dynamic loader are covered by
# copies marked for a machine this kernel does not run, so that starting them
# fails with "Exec format error" as it does on such a kernel.
#
#   scripts/without-32-bit.sh COMMAND [ARGUMENTS...]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: scripts/without-32-bit.sh COMMAND [ARGUMENTS...]" >&2; exit 2; }
if [ "${BLOCKWRIGHT_IN_NAMESPACE:-}" != 1 ]; then
    BLOCKWRIGHT_IN_NAMESPACE=1 exec unshare --mount --propagation private "$0" "$@"
fi
unset BLOCKWRIGHT_IN_NAMESPACE
scratch=$(mktemp -d)
for program in /usr/lib/wine/wine /usr/lib/wine/wine-preloader /usr/lib/wine/wineserver32 \
    /lib/ld-linux.so.2; do
    [ -e "$program" ] || continue
    real=$(readlink -f "$program")
    # Only 32-bit ELF files (class 1 at byte 4).
    [ "$(od -A n -t u1 -j 4 -N 1 "$real" | tr -d ' ')" = 1 ] || continue
    copy=$scratch/$(basename "$real")
    cp "$real" "$copy"
    # e_machine 183: AArch64, which an x86 kernel never runs.
    printf '\xb7\x00' | dd of="$copy" bs=1 seek=18 conv=notrunc status=none
    mount --bind "$copy" "$real"
done
"$@"
