#!/usr/bin/env python3
"""Prints the target of a Windows shortcut (.lnk) file: the local base path
of its link information, where the shell keeps the file it starts."""
import struct
import sys

HAS_ID_LIST = 0x01
HAS_LINK_INFO = 0x02


def target(data):
    flags = struct.unpack_from("<I", data, 20)[0]
    offset = 76  # the fixed header
    if flags & HAS_ID_LIST:
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    if not flags & HAS_LINK_INFO:
        raise ValueError("the shortcut has no link information")
    info = offset
    header_size, info_flags = struct.unpack_from("<II", data, info + 4)
    if not info_flags & 1:
        raise ValueError("the shortcut does not point to a local file")
    if header_size >= 0x24:  # the Unicode local base path
        start = info + struct.unpack_from("<I", data, info + 28)[0]
        end = start
        while data[end : end + 2] != b"\0\0":
            end += 2
        return data[start:end].decode("utf-16-le")
    start = info + struct.unpack_from("<I", data, info + 16)[0]
    return data[start : data.index(b"\0", start)].decode("latin-1")


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as f:
        print(target(f.read()))
