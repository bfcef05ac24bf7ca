#!/usr/bin/env python3
"""Draws the main window's small pictures: the set tree's folders (ordinary, current, special; each
normal and selected), the overlay list's page, and Skarpin's icon.

The pictures are ours, computed here; run it after changing one and commit the output files.
"""
import os
import sys

from make_bitmaps import write_bmp, write_icon

WHITE = (255, 255, 255)


def folder(colour, open_):
    def pixel(x, y):
        if 3 <= y <= 4 and 1 <= x <= 6:
            return (0, 0, 0) if y == 3 or x in (1, 6) else colour
        top = 6 if open_ else 5
        if top <= y <= 13 and 1 <= x <= 14:
            edge = y in (top, 13) or x in (1, 14)
            return (0, 0, 0) if edge else colour
        return WHITE
    return pixel


def page(x, y):
    if 1 <= x <= 12 and 1 <= y <= 14:
        if x in (1, 12) or y in (1, 14):
            return (0, 0, 0)
        if y in (4, 7, 10) and 3 <= x <= 10:
            return (80, 110, 200)
        return (250, 250, 250)
    return WHITE


KEY_COLOURS = [(220, 60, 60), (240, 190, 40), (60, 170, 80), (50, 110, 210)]


def keyboard(x, y, top=7, bottom=24):
    """Skarpin's keyboard: a grey frame of eight coloured keys between the rows top and bottom."""
    if 2 <= x <= 29 and top <= y <= bottom:
        if x in (2, 29) or y in (top, bottom):
            return (60, 60, 60)
        column, row = (x - 4) // 6, (y - top - 2) // 7
        if 0 <= column < 4 and 0 <= row < 2 and (x - 4) % 6 < 5 and (y - top - 2) % 7 < 6:
            return KEY_COLOURS[(column + row) % 4]
        return (200, 200, 200)
    return None


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "skarpin")
    write_bmp(os.path.join(out, "set.bmp"), 16, 16, folder((240, 210, 90), False))
    write_bmp(os.path.join(out, "set_selected.bmp"), 16, 16, folder((240, 210, 90), True))
    write_bmp(os.path.join(out, "set_current.bmp"), 16, 16, folder((90, 190, 90), False))
    write_bmp(os.path.join(out, "set_current_selected.bmp"), 16, 16, folder((90, 190, 90), True))
    write_bmp(os.path.join(out, "set_special.bmp"), 16, 16, folder((120, 150, 230), False))
    write_bmp(os.path.join(out, "set_special_selected.bmp"), 16, 16, folder((120, 150, 230), True))
    write_bmp(os.path.join(out, "overlay.bmp"), 16, 16, page)
    write_icon(os.path.join(out, "skarpin.ico"), keyboard)


if __name__ == "__main__":
    main()
