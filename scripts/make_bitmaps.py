#!/usr/bin/env python3
"""Draws the small bitmaps of the resources (logo, picture buttons) as 24-bit BMP files.

The pictures are ours: simple shapes computed here, so that the repository holds their source.
Run it after changing a picture; the BMP files are committed beside the scripts' output folder.
Their background is the key colour magenta, which the programs replace by the colour of the
surface the picture stands on (a dialog, a button). Each button picture has a disabled form,
"<name>_disabled.bmp": its shape in grey with a light edge, as the system draws disabled pictures.
"""
import math
import os
import struct
import sys


def write_bmp(path, width, height, pixel):
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def write_icon(path, pixel, size=32):
    """A 24-bit icon of one image; pixel(x, y) gives (r, g, b), or None where the icon is transparent."""
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


def near_segment(px, py, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)))
    cx, cy = ax + t * dx, ay + t * dy
    return math.hypot(px - cx, py - cy) <= width


KEY = (255, 0, 255)  # the background, replaced by the surface's colour when shown


def logo(x, y):
    # A small keyboard of 4 x 2 coloured keys on a grey plate, whole on every side.
    colours = [(220, 60, 60), (240, 190, 40), (60, 170, 80), (50, 110, 210)]
    if x < 3 or y < 3 or x > 60 or y > 44:
        return KEY
    kx, ky = (x - 3) // 14, (y - 3) // 21
    if (x - 3) % 14 < 2 or (y - 3) % 21 < 2 or x >= 59 or y >= 43:
        return (90, 90, 90)
    return colours[(kx + ky * 2) % 4]


def check(x, y):
    if near_segment(x, y, 6, 17, 13, 25, 2.4) or near_segment(x, y, 13, 25, 26, 7, 2.4):
        return (20, 140, 40)
    return KEY


def cross(x, y):
    if near_segment(x, y, 7, 7, 25, 25, 2.4) or near_segment(x, y, 25, 7, 7, 25, 2.4):
        return (200, 30, 30)
    return KEY


def record(x, y):
    # A red dot: record.
    if math.hypot(x - 15.5, y - 15.5) <= 9.5:
        return (210, 30, 30)
    return KEY


def play(x, y):
    # A green triangle pointing right: play.
    if 8 <= x <= 25 and abs(y - 15.5) <= (25 - x) * 0.55:
        return (30, 150, 50)
    return KEY


def stop(x, y):
    # A dark square: stop.
    if 9 <= x <= 22 and 9 <= y <= 22:
        return (40, 40, 40)
    return KEY


def disabled(picture):
    """The shape of a picture in grey, with a light copy one pixel down and right behind it."""
    def pixel(x, y):
        if picture(x, y) != KEY:
            return (128, 128, 128)
        if x > 0 and y > 0 and picture(x - 1, y - 1) != KEY:
            return (255, 255, 255)
        return KEY
    return pixel


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "bitmaps")
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "logo.bmp"), 64, 48, logo)
    for name, picture in (("ok", check), ("cancel", cross), ("record", record), ("play", play), ("stop", stop)):
        write_bmp(os.path.join(out, name + ".bmp"), 32, 32, picture)
        write_bmp(os.path.join(out, name + "_disabled.bmp"), 32, 32, disabled(picture))


if __name__ == "__main__":
    main()
