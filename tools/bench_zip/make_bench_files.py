#!/usr/bin/env python3
"""The benchmark's files: 100 overlay files and 50 MB of pictures and sounds of the kinds the
overlays use (BMP and JPEG pictures, WAVE sounds and MP3-like sounds that deflate cannot shrink).

    make_bench_files.py <folder>
"""
import os
import random
import struct
import subprocess
import sys
import zlib

MB = 1024 * 1024


def overlay(number, rnd):
    lines = ["[Version]", "Version=4.2.0.0", "", "[Data]"]
    for block in range(1, 129):
        cell = block - 1
        command = "@c:\\bilder\\bild%03d.bmp+'Ord %d'+c:\\ljud\\ljud%03d.wav@" % (rnd.randrange(40), block, rnd.randrange(40))
        lines.append("Block%d=1,%d,%d,0,%s" % (block, cell, cell, command))
    for block in range(1, 129):
        lines.append("Layout%d=0,c:\\bilder\\bild%03d.bmp,(0,0,0),(0,0,0),(255,255,255),1,Text %d,,,0,1," %
                     (block, rnd.randrange(40), block))
    lines += ["", "[Background]", "[KeyboardSettings]", "FlashSignal=1", "BeepSignal=1", "SendType=API"]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def bmp(width, height, rnd):
    """A photo-like picture: smooth colour fields with a little noise."""
    row = (width * 3 + 3) & ~3
    pixels = bytearray(row * height)
    base = [rnd.randrange(256) for _ in range(3)]
    for y in range(height):
        offset = y * row
        for x in range(width):
            for c in range(3):
                pixels[offset + 3 * x + c] = (base[c] + (x * (c + 1) + y * (3 - c)) // 8 + rnd.randrange(6)) & 0xFF
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def wav(seconds, rnd):
    """Speech-like sound: 16-bit mono at 22050 Hz, tones with noise."""
    rate = 22050
    frames = bytearray()
    phase = 0.0
    import math
    freq = 200 + rnd.randrange(300)
    for i in range(int(rate * seconds)):
        if i % 2205 == 0:
            freq = 150 + rnd.randrange(400)
        phase += 2 * math.pi * freq / rate
        sample = int(8000 * math.sin(phase)) + rnd.randrange(-600, 600)
        frames += struct.pack("<h", max(-32768, min(32767, sample)))
    header = b"RIFF" + struct.pack("<I", 36 + len(frames)) + b"WAVE"
    fmt = b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, rate, rate * 2, 2, 16)
    return header + fmt + b"data" + struct.pack("<I", len(frames)) + bytes(frames)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main(folder):
    rnd = random.Random(2024)
    for number in range(1, 101):
        write(os.path.join(folder, "Overlays", "\u00d6verl\u00e4gg %03d.ini" % number), overlay(number, rnd))
    total = 0
    # 20 MB of BMP pictures.
    picture = 0
    while total < 20 * MB:
        data = bmp(640, 480, rnd)
        write(os.path.join(folder, "bilder", "bild%03d.bmp" % picture), data)
        total += len(data)
        picture += 1
    # 10 MB of JPEG photos, made by ImageMagick.
    jpeg = 0
    while total < 30 * MB:
        path = os.path.join(folder, "foton", "foto%03d.jpg" % jpeg)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["convert", "-size", "1024x768", "-seed", str(jpeg), "plasma:", "-quality", "90", path],
                       check=True)
        total += os.path.getsize(path)
        jpeg += 1
    # 15 MB of WAVE sounds.
    sound = 0
    while total < 45 * MB:
        data = wav(8, rnd)
        write(os.path.join(folder, "ljud", "ljud%03d.wav" % sound), data)
        total += len(data)
        sound += 1
    # 5 MB of MP3-like sounds: packed already, as deflate sees them.
    mp3 = 0
    while total < 50 * MB:
        data = rnd.randbytes(400 * 1024)
        write(os.path.join(folder, "ljud", "s\u00e5ng%03d.mp3" % mp3), data)
        total += len(data)
        mp3 += 1
    print("%d files, %.1f MB of pictures and sounds" % (100 + picture + jpeg + sound + mp3, total / MB))


if __name__ == "__main__":
    main(sys.argv[1])
