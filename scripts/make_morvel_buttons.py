#!/usr/bin/env python3
"""Draws the pictures of Morvel's main-window and open-document buttons and Morvel's icon into
resources/morvel/ (32 x 32, on the key colour magenta, each with its disabled form).

Run it after changing a picture and commit what it writes.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from make_bitmaps import KEY, disabled, near_segment, write_bmp, write_icon  # noqa: E402

INK = (40, 40, 40)
BLUE = (50, 110, 210)
GREEN = (30, 150, 50)
RED = (200, 30, 30)
PAPER = (250, 250, 250)


def page(x, y):
    """A sheet of paper with a dark edge, 8..23 wide, 4..27 high."""
    if 8 <= x <= 23 and 4 <= y <= 27:
        return INK if x in (8, 23) or y in (4, 27) else PAPER
    return None


def new_document(x, y):
    if near_segment(x, y, 22, 17, 22, 29, 1.4) or near_segment(x, y, 16, 23, 28, 23, 1.4):
        return GREEN
    return page(x, y) or KEY


def open_document(x, y):
    # A folder.
    if 4 <= x <= 27 and 10 <= y <= 26:
        return (200, 150, 40) if 5 <= x <= 26 and 11 <= y <= 25 else INK
    if 4 <= x <= 13 and 7 <= y <= 10:
        return INK
    return KEY


def print_document(x, y):
    # A printer with a sheet coming out.
    if 10 <= x <= 21 and 4 <= y <= 12:
        return PAPER if 11 <= x <= 20 and y >= 5 else INK
    if 4 <= x <= 27 and 12 <= y <= 22:
        return (120, 120, 120) if 5 <= x <= 26 and 13 <= y <= 21 else INK
    if 10 <= x <= 21 and 22 <= y <= 28:
        return PAPER if 11 <= x <= 20 else INK
    return KEY


def picture_frame(x, y):
    # A framed picture: a sun over a hill.
    if not (4 <= x <= 27 and 6 <= y <= 25):
        return KEY
    if x in (4, 27) or y in (6, 25):
        return INK
    if math.hypot(x - 10, y - 12) <= 3:
        return (240, 190, 40)
    if y > 25 - (8 - abs(x - 19) * 0.7):
        return GREEN
    return (190, 220, 250)


def large_picture(x, y):
    # Four arrows pointing out from the middle.
    for ax, ay in ((5, 5), (26, 5), (5, 26), (26, 26)):
        if near_segment(x, y, 15.5, 15.5, ax, ay, 1.3):
            return BLUE
        if abs(x - ax) + abs(y - ay) <= 6 and (x - ax) * (15.5 - ax) >= 0 and (y - ay) * (15.5 - ay) >= 0:
            return BLUE
    return KEY


def negation(x, y):
    # A red line through a circle.
    distance = math.hypot(x - 15.5, y - 15.5)
    if 9 <= distance <= 11.5 or (distance < 10 and near_segment(x, y, 8, 8, 23, 23, 1.5)):
        return RED
    return KEY


def pause(x, y):
    if 8 <= y <= 23 and (9 <= x <= 13 or 18 <= x <= 22):
        return INK
    return KEY


def next_page(x, y):
    # A page with an arrow down.
    if near_segment(x, y, 15.5, 8, 15.5, 22, 1.4) or (16 <= y <= 24 and abs(x - 15.5) <= 24 - y):
        return BLUE
    return page(x, y) or KEY


def exit_door(x, y):
    # An open door with an arrow out.
    if near_segment(x, y, 14, 15.5, 28, 15.5, 1.4) or (10 <= x <= 28 and abs(y - 15.5) <= x - 22 and x <= 29):
        return RED
    if 4 <= x <= 13 and 4 <= y <= 27:
        return (150, 100, 50) if 5 <= x <= 12 and 5 <= y <= 26 else INK
    return KEY


def green_check(x, y):
    if near_segment(x, y, 6, 17, 13, 25, 2.6) or near_segment(x, y, 13, 25, 26, 7, 2.6):
        return GREEN
    return KEY


def next_document(x, y):
    # Two pages, the front one with an arrow to the right.
    if near_segment(x, y, 11, 17, 22, 17, 1.3) or (18 <= x <= 24 and abs(y - 17) <= 24 - x):
        return BLUE
    front = page(x - 2, y)
    if front:
        return front
    back = page(x + 3, y + 3)
    return back or KEY


def icon(x, y):
    # A page with a picture and a line of writing.
    if 4 <= x <= 27 and 2 <= y <= 29:
        if x in (4, 27) or y in (2, 29):
            return INK
        if 8 <= x <= 18 and 6 <= y <= 15:
            return (240, 190, 40) if math.hypot(x - 13, y - 10.5) <= 3.5 else (190, 220, 250)
        if y in (20, 24) and 8 <= x <= 23:
            return INK
        return PAPER
    return None


PICTURES = {
    "new": new_document, "open": open_document, "print": print_document, "imagedir": picture_frame,
    "largeimage": large_picture, "not": negation, "pause": pause, "scroll": next_page, "exit": exit_door,
    "ok_green": green_check, "scroll_doc": next_document,
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "morvel")
    os.makedirs(out, exist_ok=True)
    for name, picture in PICTURES.items():
        write_bmp(os.path.join(out, name + ".bmp"), 32, 32, picture)
        write_bmp(os.path.join(out, name + "_disabled.bmp"), 32, 32, disabled(picture))
    write_icon(os.path.join(out, "morvel.ico"), icon)


if __name__ == "__main__":
    main()
