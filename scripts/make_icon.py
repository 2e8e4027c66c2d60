#!/usr/bin/env python3
"""Draws the Tamrel program icon and writes it as resources/tamrel.ico.

One 48 x 48 image at 24 bits per pixel: a sheet of paper with a folded
corner, a list of references on it and a brace in front, the way a BibTeX
entry opens.  Pixels outside the sheet are transparent through the icon's
AND mask.  Pure Python, no packages needed; run it again after a change to
the picture and commit both this script and the icon.
"""
import os
import struct
import sys

SIZE = 48
TRANSPARENT = None
OUTLINE = (40, 40, 48)
PAPER = (252, 252, 246)
FOLD = (206, 206, 196)
LINE = (70, 110, 190)
KEY = (200, 60, 40)
BRACE = (20, 120, 70)


def draw():
    px = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def put(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            px[y][x] = colour

    left, top, right, bottom, fold = 8, 3, 39, 44, 9
    # The sheet, its corner cut off along a diagonal.
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - left + (top + fold) - y > right - left:  # beyond the fold
                continue
            edge = x in (left, right) or y in (top, bottom)
            diagonal = x - (right - fold) == y - top
            put(x, y, OUTLINE if edge or diagonal else PAPER)
    # The folded-over corner.
    for y in range(top, top + fold + 1):
        for x in range(right - fold, right + 1):
            if x - (right - fold) <= y - top:
                on_edge = x == right - fold or y == top + fold
                put(x, y, OUTLINE if on_edge else FOLD)
    # References: a red key mark and a blue line of text each.
    for row, length in ((15, 18), (22, 14), (29, 19), (36, 11)):
        for y in (row, row + 1):
            for x in range(left + 4, left + 7):
                put(x, y, KEY)
            for x in range(left + 9, left + 9 + length):
                put(x, y, LINE)
    # An opening brace over the lower left corner of the sheet.
    brace = [
        "  ####",
        " ##   ",
        " ##   ",
        " ##   ",
        " ##   ",
        " ##   ",
        "##    ",
        " ##   ",
        " ##   ",
        " ##   ",
        " ##   ",
        " ##   ",
        "  ####",
    ]
    for dy, text in enumerate(brace):
        for dx, ch in enumerate(text):
            if ch == "#":
                for sx in range(2):
                    for sy in range(1):
                        put(2 + dx * 2 + sx, 20 + dy * 2 + sy, BRACE)
                        put(2 + dx * 2 + sx, 21 + dy * 2 + sy, BRACE)
    return px


def ico_bytes(px):
    row_xor = SIZE * 3  # 144 bytes, already a multiple of four
    row_and = ((SIZE + 31) // 32) * 4  # 8 bytes
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        bits = 0
        line = bytearray()
        for x in range(SIZE):
            colour = px[y][x]
            if colour is TRANSPARENT:
                line += bytes((0, 0, 0))
                bits |= 1 << (SIZE - 1 - x)
            else:
                r, g, b = colour
                line += bytes((b, g, r))
        xor += line + bytes(row_xor - len(line))
        mask += bits.to_bytes(SIZE // 8, "big") + bytes(row_and - SIZE // 8)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image),
                        6 + 16)
    return icondir + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        here, "..", "resources", "tamrel.ico")
    with open(out, "wb") as f:
        f.write(ico_bytes(draw()))


if __name__ == "__main__":
    main()
