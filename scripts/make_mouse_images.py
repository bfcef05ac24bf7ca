#!/usr/bin/env python3
"""Draws the mouse command dialogs' pictures: the two icons that blink while a click point is caught
(a red and a grey cross-hair), and the two pictures of what a click point is measured against (the
active window on the screen, or the whole screen).

The pictures are ours, computed here; run it after changing one and commit the output files.
"""
import math
import os
import sys

from make_bitmaps import write_bmp, write_icon

WHITE = (255, 255, 255)


def crosshair(colour):
    def pixel(x, y):
        distance = math.hypot(x - 15.5, y - 15.5)
        if 9.0 <= distance <= 11.5 or (abs(x - 15.5) <= 1 and distance <= 15) or (abs(y - 15.5) <= 1 and distance <= 15):
            return colour
        return None
    return pixel


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
