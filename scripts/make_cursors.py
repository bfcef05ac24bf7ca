#!/usr/bin/env python3
"""Draws Skarpin's two drag cursors (move: a page with an arrow; copy: the same with a plus sign).

The pictures are ours, computed here; run it after changing one and commit the .cur files.
"""
import os
import struct
import sys

SIZE = 32


def arrow(x, y):
    # The standard pointer shape, tip at (0, 0): outline 'B' (black) and fill 'W' (white).
    rows = [
        "B", "BB", "BWB", "BWWB", "BWWWB", "BWWWWB", "BWWWWWB", "BWWWWWWB", "BWWWWWWWB",
        "BWWWWWBBBB", "BWWBWWB", "BWB BWWB", "BB  BWWB", "B    BWWB", "     BWWB", "      BB",
    ]
    if y < len(rows) and x < len(rows[y]):
        return rows[y][x] if rows[y][x] != " " else None
    return None


def page(x, y):
    # A small sheet below and right of the arrow.
    left, top, right, bottom = 10, 14, 24, 30
    if left <= x <= right and top <= y <= bottom:
        return "B" if x in (left, right) or y in (top, bottom) else "W"
    return None


def plus(x, y):
    cx, cy = 26, 8
    if (abs(x - cx) <= 4 and abs(y - cy) <= 1) or (abs(y - cy) <= 4 and abs(x - cx) <= 1):
        return "B"
    if (abs(x - cx) <= 5 and abs(y - cy) <= 2) or (abs(y - cy) <= 5 and abs(x - cx) <= 2):
        return "W"
    return None


def write_cursor(path, shapes):
    xor_rows, and_rows = [], []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        xor_bits, and_bits = 0, 0
        for x in range(SIZE):
            value = None
            for shape in shapes:
                value = shape(x, y)
                if value is not None:
                    break
            bit = 1 << (SIZE - 1 - x)
            if value is None:
                and_bits |= bit  # transparent
            elif value == "W":
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    colours = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = info + colours + b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 0, 0, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "skarpin")
    write_cursor(os.path.join(folder, "drag_move.cur"), [arrow, page])
    write_cursor(os.path.join(folder, "drag_copy.cur"), [arrow, plus, page])


if __name__ == "__main__":
    main()
