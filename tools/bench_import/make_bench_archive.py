#!/usr/bin/env python3
"""The import benchmark's archive, made by Python's zipfile: 30,000 entries as an export of a large
set would hold them. 100 overlays of 128 keys, each key with a picture of its own and a sound of its
own in its command (25,600 media files), 4,299 files no overlay uses, and the register. Given a
number of overlays, an archive of that share of the entries (to see how the times grow).

    make_bench_archive.py <zip file> [overlays]

With --one-name, the archive holds that many pictures all named x.bmp, each in a folder of its own
and of one size but its own content, and the overlays of 128 keys that use them: the placing at
Finish must give each a name of its own.

    make_bench_archive.py <zip file> --one-name <pictures>
"""
import struct
import sys
import zipfile

ONE_NAME = len(sys.argv) > 3 and sys.argv[2] == "--one-name"
OVERLAYS = int(sys.argv[2]) if len(sys.argv) > 2 and not ONE_NAME else 100
KEYS = 128
UNUSED = (30000 - 1 - 100 - 100 * KEYS * 2) * OVERLAYS // 100


def overlay(number):
    lines = ["[Version]", "Version=4.2.0.0", "", "[Data]"]
    for key in range(KEYS):
        lines.append("Block%d=1,%d,%d,0,@c:\\ljud\\o%03d\\ljud%03d.wav@" % (key + 1, key, key, number, key))
    for key in range(KEYS):
        lines.append("Layout%d=0,c:\\bilder\\o%03d\\bild%03d.bmp,(0,0,0),(0,0,0),(255,255,255),1,Ord %d,,,0,1,"
                     % (key + 1, number, key, key))
    lines += ["", "[Background]", "[KeyboardSettings]", "FlashSignal=1", "BeepSignal=1", "SendType=API", ""]
    return "\r\n".join(lines).encode("cp1252")


def main(path):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        register = ["[Overlays]"]
        for number in range(1, OVERLAYS + 1):
            name = "\u00d6verl\u00e4gg %03d" % number
            archive.writestr(name + ".ini", overlay(number))
            register.append("%d=%s" % (number, name))
        archive.writestr("register.txt", ("\r\n".join(register) + "\r\n").encode("cp1252"))
        for number in range(1, OVERLAYS + 1):
            for key in range(KEYS):
                archive.writestr("bilder/o%03d/bild%03d.bmp" % (number, key), b"BM" + bytes(62))
                archive.writestr("ljud/o%03d/ljud%03d.wav" % (number, key), b"RIFF" + bytes(60))
        for n in range(UNUSED):
            archive.writestr("extra/x%05d.bmp" % n, b"BM" + bytes(30))
    print("%d entries" % (1 + OVERLAYS + OVERLAYS * KEYS * 2 + UNUSED))


def one_name(path, pictures):
    overlays = (pictures + KEYS - 1) // KEYS
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        register = ["[Overlays]"]
        for number in range(overlays):
            lines = ["[Version]", "Version=4.2.0.0", "", "[Data]"]
            for key in range(min(KEYS, pictures - number * KEYS)):
                lines.append("Layout%d=0,c:\\bilder\\f%05d\\x.bmp,(0,0,0),(0,0,0),(255,255,255),1,Ord %d,,,0,1,"
                             % (key + 1, number * KEYS + key, key))
            lines += ["", "[Background]", "[KeyboardSettings]", "FlashSignal=1", "BeepSignal=1", "SendType=API", ""]
            name = "Samma namn %03d" % (number + 1)
            archive.writestr(name + ".ini", "\r\n".join(lines).encode("cp1252"))
            register.append("%d=%s" % (number + 1, name))
        archive.writestr("register.txt", ("\r\n".join(register) + "\r\n").encode("cp1252"))
        for n in range(pictures):
            archive.writestr("bilder/f%05d/x.bmp" % n, b"BM" + struct.pack("<I", n) + bytes(4090))
    print("%d pictures named x.bmp, %d overlays" % (pictures, overlays))


if __name__ == "__main__":
    if ONE_NAME:
        one_name(sys.argv[1], int(sys.argv[3]))
    else:
        main(sys.argv[1])
