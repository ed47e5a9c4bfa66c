#!/usr/bin/env python3
"""Draws the stock icons and bitmaps in assets/ (16-colour, uncompressed).

Run once from the repository root: python3 scripts/make_assets.py
The icons are 32x32 pictures of a block's shape: a source ("input"), a sink
("output"), a processing block ("process") and a DSP-based block ("RT"); the
"1" variants are the same shapes raised with a shadow.
"""

import os
import struct

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREEN, NAVY, TEAL, SILVER, GRAY, RED, YELLOW, BLUE, WHITE = 0, 2, 4, 6, 7, 8, 9, 11, 12, 15
CLEAR = None  # transparent (icons only)


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(max(y0, 0), min(y1, self.height - 1) + 1):
            for x in range(max(x0, 0), min(x1, self.width - 1) + 1):
                self.pixels[y][x] = colour

    def box(self, x0, y0, x1, y1, fill, border=BLACK):
        self.rect(x0, y0, x1, y1, border)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def pixel_rows(canvas):
    """4-bit rows, bottom-up, each padded to four bytes."""
    stride = ((canvas.width * 4 + 31) // 32) * 4
    data = b""
    for row in reversed(canvas.pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            value = 0 if colour is CLEAR else colour
            packed[x // 2] |= value << (4 if x % 2 == 0 else 0)
        data += bytes(packed)
    return data


def mask_rows(canvas):
    """1-bit transparency mask, bottom-up, 1 = transparent."""
    stride = ((canvas.width + 31) // 32) * 4
    data = b""
    for row in reversed(canvas.pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            if colour is CLEAR:
                packed[x // 8] |= 0x80 >> (x % 8)
        data += bytes(packed)
    return data


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 2835, 2835, 16, 0)


def ico_bytes(canvas):
    pixels, mask = pixel_rows(canvas), mask_rows(canvas)
    image = (info_header(canvas.width, canvas.height * 2, len(pixels) + len(mask))
             + palette_bytes() + pixels + mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", canvas.width, canvas.height, 16, 0, 1, 4, len(image), 22)
    return directory + entry + image


def bmp_bytes(canvas):
    pixels = pixel_rows(canvas)
    body = info_header(canvas.width, canvas.height, len(pixels)) + palette_bytes() + pixels
    offset = 14 + 40 + 64
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, offset) + body


def block_icon(shape, raised):
    c = Canvas(32, 32, CLEAR)
    fill = {"process": BLUE, "input": GREEN, "output": RED, "RT": TEAL}[shape]
    x0, x1 = {"process": (9, 22), "input": (3, 18), "output": (13, 28), "RT": (8, 23)}[shape]
    y0, y1 = 8, 23
    if raised:
        c.rect(x0 + 2, y0 + 2, x1 + 2, y1 + 2, GRAY)
    if shape in ("process", "output"):
        c.rect(0, 15, x0 - 1, 16, BLACK)  # a line coming in
    if shape in ("process", "input"):
        c.rect(x1 + 1, 15, 31, 16, BLACK)  # a line going out
        c.rect(28, 12, 29, 19, BLACK)  # its arrow head
        c.rect(30, 14, 30, 17, BLACK)
    if shape == "RT":
        for x in range(x0 + 2, x1 - 1, 3):  # the pins of a chip
            c.rect(x, y0 - 3, x, y0 - 1, SILVER)
            c.rect(x, y1 + 1, x, y1 + 3, SILVER)
    c.box(x0, y0, x1, y1, fill)
    if raised:
        c.rect(x0 + 1, y0 + 1, x1 - 1, y0 + 1, WHITE)  # a highlight along the top
        c.rect(x0 + 1, y0 + 1, x0 + 1, y1 - 1, WHITE)
    return c


def xdais_bitmap():
    c = Canvas(32, 32, WHITE)
    c.box(2, 2, 29, 29, NAVY)
    for i in range(8, 24):  # an "X" across the module
        c.rect(i, i, i + 1, i, YELLOW)
        c.rect(31 - i - 1, i, 31 - i, i, YELLOW)
    return c


def header_bitmap():
    c = Canvas(48, 48, WHITE)
    c.box(6, 14, 41, 33, BLUE)
    c.rect(0, 23, 5, 24, BLACK)
    c.rect(42, 23, 47, 24, BLACK)
    c.rect(10, 18, 37, 19, YELLOW)
    return c


def block_bitmap():
    c = Canvas(64, 48, SILVER)
    c.box(4, 4, 59, 43, BLUE)
    c.rect(6, 6, 57, 7, WHITE)
    return c


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")
    os.makedirs(out, exist_ok=True)
    files = {}
    for shape in ("RT", "input", "output", "process"):
        files[shape + ".ico"] = ico_bytes(block_icon(shape, raised=False))
        files[shape + "1.ico"] = ico_bytes(block_icon(shape, raised=True))
    files["xDAIS.bmp"] = bmp_bytes(xdais_bitmap())
    files["Header.bmp"] = bmp_bytes(header_bitmap())
    files["Block.bmp"] = bmp_bytes(block_bitmap())
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
