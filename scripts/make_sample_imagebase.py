#!/usr/bin/env python3
"""Makes the sample image base of the run command: twelve small pictures with Swedish words.

Writes into scripts/sample/:
  bildbas/bilder/*.bmp   64 x 64 pictures, 16 colours, drawn here from simple shapes
  bildbas/ljud/*.wav     each word spoken by espeak-ng (Swedish voice), made small with sox
  bildbas/bildbas.ini    the base's index file (two categories)
  windows/imgbase.skarpin.ini, windows/imgbase.morvel.ini   the base registered under key A
install-sample.sh copies bildbas/ to C:\\Program Files\\Bildbas. The ini files are code page 1252
with CR LF, as the programs read them. Run it after changing a picture or word; commit the output.
"""
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

SIZE = 64
FOLDER = r"C:\Program Files\Bildbas"

# The 16 colours of every picture.
PALETTE = [
    (255, 255, 255), (0, 0, 0), (250, 210, 40), (230, 40, 40), (40, 150, 60), (120, 75, 35),
    (60, 110, 220), (255, 140, 30), (30, 40, 110), (200, 200, 200), (110, 110, 110), (120, 200, 250),
    (250, 160, 190), (90, 200, 90), (150, 20, 20), (240, 240, 210),
]
WHITE, BLACK, YELLOW, RED, GREEN, BROWN, BLUE, ORANGE, NIGHT, LIGHT, GREY, SKY, PINK, LEAF, DARKRED, CREAM = range(16)


def write_bmp(path, pixel):
    """An 8-bit BMP with a 16-entry colour table; pixel(x, y) gives the colour index, y downwards."""
    rows = bytearray()
    for y in range(SIZE - 1, -1, -1):
        rows += bytes(pixel(x, y) for x in range(SIZE))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 8, 0, len(rows), 2835, 2835, len(PALETTE), 0)
    with open(path, "wb") as f:
        f.write(header + info + table + rows)


def inside_polygon(x, y, points):
    inside = False
    for i in range(len(points)):
        (ax, ay), (bx, by) = points[i], points[i - 1]
        if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / float(by - ay) + ax:
            inside = not inside
    return inside


def circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def sol(x, y):
    if circle(x, y, 32, 32, 13):
        return YELLOW
    angle = math.atan2(y - 32, x - 32)
    distance = math.hypot(x - 32, y - 32)
    if 17 <= distance <= 28 and abs((angle * 8 / (2 * math.pi)) % 1 - 0.5) > 0.38:
        return ORANGE
    return SKY


def mane(x, y):
    if circle(x, y, 30, 32, 20) and not circle(x, y, 40, 26, 17):
        return YELLOW
    return NIGHT


def stjarna(x, y):
    points = []
    for i in range(10):
        r = 28 if i % 2 == 0 else 12
        a = -math.pi / 2 + i * math.pi / 5
        points.append((32 + r * math.cos(a), 34 + r * math.sin(a)))
    return YELLOW if inside_polygon(x + 0.5, y + 0.5, points) else NIGHT


def trad(x, y):
    if circle(x, y, 32, 24, 18):
        return GREEN
    if 28 <= x <= 36 and 36 <= y <= 58:
        return BROWN
    return LEAF if y > 58 else WHITE


def blomma(x, y):
    if circle(x, y, 32, 22, 6):
        return YELLOW
    for i in range(6):
        a = i * math.pi / 3
        if circle(x, y, 32 + 11 * math.cos(a), 22 + 11 * math.sin(a), 7):
            return RED
    if 31 <= x <= 33 and y > 28:
        return GREEN
    if inside_polygon(x + 0.5, y + 0.5, [(33, 46), (46, 38), (40, 48)]):
        return LEAF
    return WHITE


def fisk(x, y):
    if circle(x, y, 22, 29, 3):
        return BLACK
    if ((x - 28) / 20.0) ** 2 + ((y - 32) / 12.0) ** 2 <= 1:
        return ORANGE
    if inside_polygon(x + 0.5, y + 0.5, [(44, 32), (60, 20), (60, 44)]):
        return ORANGE
    return SKY


def hus(x, y):
    if 28 <= x <= 36 and 44 <= y <= 56:
        return BROWN
    if 14 <= x <= 50 and 30 <= y <= 56:
        return RED
    if inside_polygon(x + 0.5, y + 0.5, [(8, 31), (32, 8), (56, 31)]):
        return DARKRED
    return LEAF if y > 56 else SKY


def bil(x, y):
    if circle(x, y, 18, 44, 7) or circle(x, y, 46, 44, 7):
        return BLACK
    if 20 <= x <= 42 and 18 <= y <= 30:
        return SKY if 23 <= x <= 39 and 21 <= y <= 29 else BLUE
    if 6 <= x <= 58 and 30 <= y <= 44:
        return BLUE
    return WHITE


def bat(x, y):
    if inside_polygon(x + 0.5, y + 0.5, [(8, 40), (56, 40), (48, 50), (16, 50)]):
        return BROWN
    if inside_polygon(x + 0.5, y + 0.5, [(33, 8), (33, 37), (52, 37)]):
        return CREAM
    if 31 <= x <= 32 and 6 <= y <= 40:
        return BROWN
    return BLUE if y > 46 else SKY


def boll(x, y):
    if not circle(x, y, 32, 32, 22):
        return WHITE
    if abs((x - 32) + (y - 32) * 0.3) < 5:
        return WHITE
    return RED if x < 32 else BLUE


def apple(x, y):
    if inside_polygon(x + 0.5, y + 0.5, [(33, 16), (44, 6), (48, 10)]):
        return LEAF
    if 31 <= x <= 33 and 8 <= y <= 18:
        return BROWN
    if circle(x, y, 24, 36, 17) or circle(x, y, 40, 36, 17):
        return RED
    return WHITE


def hjarta(x, y):
    u = (x - 32) / 22.0
    v = (30 - y) / 22.0
    return RED if (u * u + v * v - 1) ** 3 - u * u * v ** 3 <= 0 else PINK


# Code, word, file name (without extension), drawing; codes begin with their category's codes.
CATEGORIES = [
    ("Natur", "1", [("101", "sol", "sol", sol), ("102", "måne", "mane", mane),
                    ("103", "stjärna", "stjarna", stjarna), ("104", "träd", "trad", trad),
                    ("105", "blomma", "blomma", blomma), ("106", "fisk", "fisk", fisk)]),
    ("Saker", "2", [("201", "hus", "hus", hus), ("202", "bil", "bil", bil), ("203", "båt", "bat", bat),
                    ("204", "boll", "boll", boll), ("205", "äpple", "apple", apple),
                    ("206", "hjärta", "hjarta", hjarta)]),
]


def write_ini(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


def speak(word, path):
    with tempfile.TemporaryDirectory() as work:
        spoken = os.path.join(work, "spoken.wav")
        subprocess.run(["espeak-ng", "-v", "sv", "-s", "140", "-w", spoken, word], check=True)
        # 8 kHz, 8 bits and the silence at both ends trimmed: a few KB a word.
        subprocess.run(["sox", spoken, "-r", "8000", "-b", "8", "-c", "1", path,
                        "silence", "1", "0.02", "1%", "reverse", "silence", "1", "0.02", "1%", "reverse"], check=True)


def main():
    sample = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample")
    base = os.path.join(sample, "bildbas")
    for sub in ("bilder", "ljud"):
        shutil.rmtree(os.path.join(base, sub), ignore_errors=True)
        os.makedirs(os.path.join(base, sub))

    index = ["[ProgDir]", "Dir=%s\\bilder" % FOLDER, "SoundDir=%s\\ljud" % FOLDER, "Extension=bmp", "Kod=A",
             "[Grupper]", "Antal=%d" % len(CATEGORIES)]
    index += ["%d=%s" % (n + 1, name) for n, (name, _, _) in enumerate(CATEGORIES)]
    for name, codes, pictures in CATEGORIES:
        index += ["[%s]" % name, "Antal=%d" % len(pictures), "Kod=%s" % codes]
        for code, word, file_name, draw in pictures:
            index.append("%s=%s,%s" % (code, word, file_name))
            write_bmp(os.path.join(base, "bilder", file_name + ".bmp"), draw)
            speak(word, os.path.join(base, "ljud", file_name + ".wav"))
    write_ini(os.path.join(base, "bildbas.ini"), index)

    # With numbers after its name the base shows each picture's word as its caption.
    for program in ("skarpin", "morvel"):
        write_ini(os.path.join(sample, "windows", "imgbase.%s.ini" % program),
                  ["[ImageBases]", "Default=A", "A=%s\\bildbas.ini,Exempelbilder,1,2,0" % FOLDER])


if __name__ == "__main__":
    main()
