#!/usr/bin/env python3
"""Draws the load dialog's animation: three icons of an arrow going down into Skarpin's keyboard,
shown in turn while a set goes to the keyboard.

The pictures are ours, computed here; run it after changing one and commit the output files.
"""
import os
import sys

from make_bitmaps import write_icon
from make_mainwindow_images import keyboard

ARROW = (40, 90, 200)


def arrow(offset):
    """A down arrow whose tip stands at row 9 + offset."""
    tip = 9 + offset

    def pixel(x, y):
        head = tip - y  # rows above the tip
        if 0 <= head <= 4 and abs(x - 15.5) <= head + 0.5:
            return ARROW
        if tip - 10 <= y < tip - 4 and 14 <= x <= 17:
            return ARROW
        return None
    return pixel


def frame(offset):
    shaft = arrow(offset)

    def pixel(x, y):
        return shaft(x, y) or keyboard(x, y, top=17, bottom=30)
    return pixel


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "skarpin")
    for number, offset in ((1, 0), (2, 3), (3, 6)):
        write_icon(os.path.join(out, "load_%d.ico" % number), frame(offset))


if __name__ == "__main__":
    main()
