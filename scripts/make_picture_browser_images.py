#!/usr/bin/env python3
"""Draws the insert-picture browser's small pictures: the tree's picture, closed folder and open
folder (16 x 16 on white, the tree's mask colour) and the SCROLL button's arrow (32 x 32 on the key
colour magenta, with its disabled form).

The pictures are ours, computed here; run it after changing one and commit the output files.
"""
import os
import sys

from make_bitmaps import KEY, disabled, near_segment, write_bmp

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def tree_picture(x, y):
    # A small framed picture: sky over a green hill, a yellow sun.
    if not (1 <= x <= 14 and 2 <= y <= 13):
        return WHITE
    if x in (1, 14) or y in (2, 13):
        return BLACK
    if (x - 10) ** 2 + (y - 5) ** 2 <= 3:
        return (240, 200, 30)
    return (60, 160, 70) if y >= 10 - (x % 5 == 0) else (150, 200, 240)


def folder(open_):
    colour = (240, 200, 80)
    def pixel(x, y):
        if 3 <= y <= 4 and 1 <= x <= 6:
            return BLACK if y == 3 or x in (1, 6) else colour
        top = 6 if open_ else 5
        if top <= y <= 13 and 1 <= x <= 14:
            edge = y in (top, 13) or x in (1, 14)
            return BLACK if edge else colour
        return WHITE
    return pixel


def scroll(x, y):
    # A right-pointing arrow: the next page.
    if near_segment(x, y, 6, 16, 24, 16, 2.5) or near_segment(x, y, 16, 7, 25, 16, 2.5) \
            or near_segment(x, y, 16, 25, 25, 16, 2.5):
        return (30, 60, 160)
    return KEY


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "bitmaps")
    write_bmp(os.path.join(out, "tree_picture.bmp"), 16, 16, tree_picture)
    write_bmp(os.path.join(out, "tree_folder_closed.bmp"), 16, 16, folder(False))
    write_bmp(os.path.join(out, "tree_folder_open.bmp"), 16, 16, folder(True))
    write_bmp(os.path.join(out, "scroll.bmp"), 32, 32, scroll)
    write_bmp(os.path.join(out, "scroll_disabled.bmp"), 32, 32, disabled(scroll))


if __name__ == "__main__":
    main()
