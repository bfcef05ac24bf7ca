#!/usr/bin/env python3
"""The import benchmark's archive, made by Python's zipfile: 30,000 entries as an export of a large
set would hold them. 100 overlays of 128 keys, each key with a picture of its own and a sound of its
own in its command (25,600 media files), 4,299 files no overlay uses, and the register. Given a
number of overlays, an archive of that share of the entries (to see how the times grow).

    make_bench_archive.py <zip file> [overlays]
"""
import sys
import zipfile

OVERLAYS = int(sys.argv[2]) if len(sys.argv) > 2 else 100
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


if __name__ == "__main__":
    main(sys.argv[1])
