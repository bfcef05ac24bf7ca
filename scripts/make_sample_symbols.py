#!/usr/bin/env python3
"""Makes the symbols of the run command's Morvel sample: the pictures that stand for image folders.

Writes scripts/sample/morvel/Symboler/*.bmp, 64 x 64 pictures in the sample image base's 16 colours:
a folder (pictures of a disk folder), a book (an image base) and a star (favourite pictures). Morvel's
symbol chooser lists them; install-sample.sh copies them to C:\\Program Files\\Morvel\\Symboler. Run
it after changing a symbol; commit the output.
"""
import os

from make_sample_imagebase import BLACK, BLUE, BROWN, LIGHT, RED, WHITE, YELLOW, stjarna, write_bmp


def mapp(x, y):
    if 14 <= x <= 30 and 14 <= y <= 20:
        return BROWN if x in (14, 30) or y == 14 else YELLOW
    if 8 <= x <= 56 and 18 <= y <= 52:
        return BROWN if x in (8, 56) or y in (18, 52) else YELLOW
    return WHITE


def bok(x, y):
    if 12 <= x <= 52 and 10 <= y <= 54:
        if x <= 15:
            return BLACK
        if y >= 48:
            return LIGHT
        if 22 <= x <= 44 and y in (20, 26, 32):
            return WHITE
        return BLUE
    return WHITE


def favorit(x, y):
    return RED if stjarna(x, y) == YELLOW else WHITE


SYMBOLS = {"mapp": mapp, "bildbas": bok, "favoriter": favorit}


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample", "morvel", "Symboler")
    os.makedirs(folder, exist_ok=True)
    for name, pixel in SYMBOLS.items():
        write_bmp(os.path.join(folder, name + ".bmp"), pixel)


if __name__ == "__main__":
    main()
