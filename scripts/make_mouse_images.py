#!/usr/bin/env python3
"""Draws the mouse command dialogs' pictures: the two icons that blink while a click point is caught
(a red and a grey cross-hair), and the two pictures of what a click point is measured against (the
active window on the screen, or the whole screen).

The pictures are ours, computed here; run it after changing one and commit the output files.
"""
import math
import os
import struct
import sys

from make_bitmaps import write_bmp

WHITE = (255, 255, 255)


def crosshair(colour):
    def pixel(x, y):
        distance = math.hypot(x - 15.5, y - 15.5)
        if 9.0 <= distance <= 11.5 or (abs(x - 15.5) <= 1 and distance <= 15) or (abs(y - 15.5) <= 1 and distance <= 15):
            return colour
        return None
    return pixel


def write_icon(path, pixel, size=32):
    xor = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        mask_bits = 0
        for x in range(size):
            value = pixel(x, y)
            if value is None:
                mask_bits |= 1 << (size - 1 - x)
                value = (0, 0, 0)
            xor += bytes((value[2], value[1], value[0]))
        mask += struct.pack(">I", mask_bits)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    image = info + bytes(xor) + bytes(mask)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), 22)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def screen(window_only):
    # A monitor 56 x 40 on a white ground; the part measured against is blue.
    def pixel(x, y):
        if 4 <= x <= 59 and 2 <= y <= 41:
            if x in (4, 59) or y in (2, 41):
                return (40, 40, 40)
            inside = 18 <= x <= 45 and 12 <= y <= 31
            if window_only and inside and (x in (18, 45) or y in (12, 31) or y == 13):
                return (20, 40, 120)
            if inside or not window_only:
                return (90, 140, 230)
            return (210, 210, 210)
        if 28 <= x <= 35 and 42 <= y <= 45 or 20 <= x <= 43 and y == 46:
            return (40, 40, 40)
        return WHITE
    return pixel


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "skarpin")
    write_icon(os.path.join(out, "catch_on.ico"), crosshair((220, 30, 30)))
    write_icon(os.path.join(out, "catch_off.ico"), crosshair((150, 150, 150)))
    write_bmp(os.path.join(out, "reference_window.bmp"), 64, 48, screen(True))
    write_bmp(os.path.join(out, "reference_screen.bmp"), 64, 48, screen(False))


if __name__ == "__main__":
    main()
