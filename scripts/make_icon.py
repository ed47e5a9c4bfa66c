#!/usr/bin/env python3
"""Draws the application icon: a block with a signal going in and out, as a
scalable SVG and a 48x48 PNG into packaging/, and the same PNG as a Windows
icon into packaging/windows/."""
import struct
import zlib
from pathlib import Path

BACKGROUND = (0x2A, 0x4D, 0x69)
BLOCK = (0xF4, 0xF1, 0xE8)
SIGNAL = (0xF2, 0xA5, 0x41)

# Shapes in a 48-unit square: (colour, x0, y0, x1, y1), later ones on top.
SHAPES = [
    (SIGNAL, 3, 22, 16, 26),
    (SIGNAL, 32, 22, 45, 26),
    (BLOCK, 14, 12, 34, 36),
    (SIGNAL, 18, 22, 30, 26),
]
CORNER = 8


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


def svg():
    rects = "".join(
        f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" fill="{hex_colour(c)}"/>\n'
        for c, x0, y0, x1, y1 in SHAPES
    )
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">\n'
        f'  <rect width="48" height="48" rx="{CORNER}" fill="{hex_colour(BACKGROUND)}"/>\n'
        + rects
        + "</svg>\n"
    )


def inside_rounded(x, y):
    cx = min(max(x, CORNER), 48 - CORNER)
    cy = min(max(y, CORNER), 48 - CORNER)
    return (x - cx) ** 2 + (y - cy) ** 2 <= CORNER**2


def pixel(px, py):
    x, y = px + 0.5, py + 0.5
    if not inside_rounded(x, y):
        return (0, 0, 0, 0)
    colour = BACKGROUND
    for c, x0, y0, x1, y1 in SHAPES:
        if x0 <= x < x1 and y0 <= y < y1:
            colour = c
    return colour + (255,)


def png():
    rows = b"".join(
        b"\0" + b"".join(bytes(pixel(px, py)) for px in range(48)) for py in range(48)
    )

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", 48, 48, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", header)
        + chunk(b"IDAT", zlib.compress(rows, 9))
        + chunk(b"IEND", b"")
    )


def ico(image):
    # One 48x48 entry holding the PNG itself, as Windows icons may.
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 48, 48, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    out = Path(__file__).resolve().parent.parent / "packaging"
    (out / "blockwright.svg").write_text(svg())
    (out / "blockwright.png").write_bytes(png())
    (out / "windows" / "blockwright.ico").write_bytes(ico(png()))
