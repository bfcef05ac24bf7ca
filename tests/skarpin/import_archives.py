#!/usr/bin/env python3
"""Archives for the import wizard's tests, made by Python's zipfile: an export-like archive of two
overlays (one without a number in its register) with their media files, the same with every kind of
hostile name added, and damaged, truncated and lying ones.

    import_archives.py <folder>    writes the archives into the folder
"""
import os
import struct
import sys
import zipfile

CRLF = "\r\n"


def overlay(keys, background):
    """An overlay file: (cell, command, picture, text) per block, as Skarpin writes them."""
    lines = ["[Version]", "Version=4.2.0.0", "", "[Data]"]

    def section(blocks):
        out = []
        for number, (cell, command, _, _) in enumerate(blocks, 1):
            out.append("Block%d=1,%d,%d,0,%s" % (number, cell, cell, command))
        for number, (_, _, picture, text) in enumerate(blocks, 1):
            out.append("Layout%d=0,%s,(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,%s" % (number, picture, text))
        return out

    lines += section(keys) + ["", "[Background]"] + section(background)
    lines += ["[KeyboardSettings]", "FlashSignal=1", "BeepSignal=1", "Frequency=0.7", "RepeatDelay=1.0",
              "SignalDelay=0.0", "BounceLock=0.0", "SendType=API", "MouseKeyTopSpeed=20",
              "MouseKeyAcceleration=100", "MouseCursorStep=1", ""]
    return CRLF.join(lines).encode("cp1252")


# Two pictures named hund.bmp from different folders, a sound with Swedish letters, one from a
# network share, a background picture, a CD track (never a file) and a file no overlay uses.
BILDER = overlay(
    keys=[(0, "", "c:\\bilder\\hund.bmp", "Hund"),
          (1, "@'Sk\u00e5l'+c:\\ljud\\sk\u00e5l \u00e4pple.wav@", "", "Sk\u00e5l"),
          (2, "@C:\\Bilder\\Hund.bmp@", "", "Stor hund"),
          (3, "@\\\\server\\delat\\ljud\\ping.wav@", "", "Ping"),
          (4, "@d:\\foton\\hund.bmp@", "", "Fotohund"),
          (5, "@'Sp\u00e5r'+d:\\cd\\track05.cda@", "", "CD")],
    background=[(16, "", "c:\\bakgrund\\himmel.bmp", "")])
UTAN = overlay(keys=[(0, "@c:\\ljud\\sk\u00e5l \u00e4pple.wav@", "", "")], background=[])

MEDIA = {
    "bilder/hund.bmp": b"BM bilder hund",
    "foton/hund.bmp": b"BM foton hund, en annan",
    "ljud/sk\u00e5l \u00e4pple.wav": "RIFF sk\u00e5l".encode("cp1252"),
    "server/delat/ljud/ping.wav": b"RIFF ping",
    "bakgrund/himmel.bmp": b"BM himmel",
    "oanvand/extra.bmp": b"BM ingen anv\xe4nder mig",
}

GOOD = [("Bilder.ini", BILDER), ("Utan nummer.ini", UTAN),
        ("register.txt", b"[Overlays]\r\n1=Bilder\r\n")] + list(MEDIA.items())

# Names that would leave the work folder, name a drive, a share or a device, or hold characters
# Windows refuses; a second entry of a name already there.
HOSTILE = ["../utanfor.txt", "..\\utanfor2.txt", "bilder/../../utanfor3.txt", "/absolut.txt",
           "\\absolut2.txt", "C:/Windows/utanfor4.txt", "c:\\utanfor5.txt", "//server/delat/utanfor6.txt",
           "\\\\server\\delat\\utanfor7.txt", "bilder/con.bmp", "aux.ini", "fr\u00e5ga?.bmp",
           "BILDER/HUND.BMP"]


def rename_raw(path, stored, raw):
    """Gives an entry stored under an ASCII name the bytes given for its name, of the same length,
    without the UTF-8 flag (zipfile flags every name beyond ASCII as UTF-8)."""
    with open(path, "rb") as f:
        data = f.read()
    assert len(stored) == len(raw)
    with open(path, "wb") as f:
        f.write(data.replace(stored.encode("ascii"), raw))


def share_data(path, name, copies):
    """Adds central-directory records that point at the data of one entry, each under a name of its
    own: a small archive that claims the entry's size once per record."""
    with open(path, "rb") as f:
        data = bytearray(f.read())
    end = data.rfind(b"PK\x05\x06")
    entries, size, offset = struct.unpack_from("<HII", data, end + 10)
    directory = data[offset:offset + size]
    at = 0
    while at < len(directory):
        name_length, extra_length, comment_length = struct.unpack_from("<HHH", directory, at + 28)
        record_end = at + 46 + name_length + extra_length + comment_length
        if bytes(directory[at + 46:at + 46 + name_length]) == name.encode("ascii"):
            record = directory[at:record_end]
            break
        at = record_end
    stem, extension = name.rsplit(".", 1)
    added = bytearray()
    for copy in range(copies):
        twin = bytearray(record)
        new_name = ("%s%04d" % (stem[:-4], copy) + "." + extension).encode("ascii")
        assert len(new_name) == name_length
        twin[46:46 + name_length] = new_name
        added += twin
    directory += added
    tail = bytearray(data[end:])
    struct.pack_into("<HHII", tail, 8, entries + copies, entries + copies, len(directory), offset)
    with open(path, "wb") as f:
        f.write(bytes(data[:offset]) + bytes(directory) + bytes(tail))


def write(path, entries, method=zipfile.ZIP_DEFLATED):
    with zipfile.ZipFile(path, "w", method) as archive:
        for name, data in entries:
            archive.writestr(zipfile.ZipInfo(name), data, compress_type=method)


def patch_sizes(path, name, size):
    """Lies about one entry's unpacked size in its local and its central header."""
    with open(path, "rb") as f:
        data = bytearray(f.read())
    raw = name.encode("ascii")
    # signature, offset of the size, of the name's length and of the name
    for signature, size_at, length_at, name_at in ((b"PK\x03\x04", 22, 26, 30), (b"PK\x01\x02", 24, 28, 46)):
        at = data.find(signature)
        while at >= 0:
            length = struct.unpack_from("<H", data, at + length_at)[0]
            if bytes(data[at + name_at:at + name_at + length]) == raw:
                struct.pack_into("<I", data, at + size_at, size)
            at = data.find(signature, at + 4)
    with open(path, "wb") as f:
        f.write(data)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    out = lambda name: os.path.join(folder, name)
    write(out("python.zip"), GOOD)
    write(out("hostile.zip"), GOOD + [(name, b"ska aldrig skrivas") for name in HOSTILE])
    write(out("no_register.zip"), [e for e in GOOD if e[0] != "register.txt"])

    # The middle of a stored picture changed after packing: its CRC no longer holds.
    write(out("crc.zip"), GOOD, zipfile.ZIP_STORED)
    with open(out("crc.zip"), "r+b") as f:
        data = f.read()
        at = data.find(MEDIA["bakgrund/himmel.bmp"])
        f.seek(at + 3)
        f.write(b"X")

    # Cut off: half of the archive, and an archive whose last entry's data lost its end.
    with open(out("python.zip"), "rb") as f:
        whole = f.read()
    with open(out("truncated.zip"), "wb") as f:
        f.write(whole[:len(whole) // 2])
    big = bytes(range(256)) * 400
    write(out("cut.zip"), GOOD + [("film/resa.avi", big)], zipfile.ZIP_STORED)
    with open(out("cut.zip"), "rb") as f:
        data = f.read()
    at = data.find(big)
    with open(out("cut.zip"), "wb") as f:
        f.write(data[:at + 1000] + data[at + len(big):])

    # Sizes that lie: far more than the packed bytes can hold, and less than they unpack to.
    write(out("far_larger.zip"), GOOD + [("film/stor.avi", b"\0" * 5000)])
    patch_sizes(out("far_larger.zip"), "film/stor.avi", 0x7FFFFFF0)
    write(out("smaller.zip"), GOOD + [("film/liten.avi", b"\0" * 5000)])
    patch_sizes(out("smaller.zip"), "film/liten.avi", 100)

    # An overlay whose picture is an overlay file of its own, beside a real picture.
    ny = overlay(keys=[(0, "", "c:\\bilder\\ny.ini", "Ny"), (1, "", "c:\\bilder\\hund.bmp", "Hund")], background=[])
    write(out("ini_picture.zip"), [("Bilder.ini", ny), ("register.txt", b"[Overlays]\r\n1=Bilder\r\n"),
                                   ("bilder/ny.ini", UTAN), ("bilder/hund.bmp", MEDIA["bilder/hund.bmp"])])

    # Many directory records sharing the data of one: 200 KB that claim 10 GB.
    film = overlay(keys=[(0, "@c:\\film\\noll.avi@", "", "Film")], background=[])
    write(out("shared_data.zip"), [("Film.ini", film), ("register.txt", b"[Overlays]\r\n1=Film\r\n"),
                                   ("film/noll.avi", bytes(50 * 1024 * 1024))])
    share_data(out("shared_data.zip"), "film/noll.avi", 200)

    # Honest sizes, for a drive with little room: 8 MB of video behind a small overlay.
    write(out("large_video.zip"), [("Film.ini", film), ("register.txt", b"[Overlays]\r\n1=Film\r\n"),
                                   ("film/noll.avi", bytes(8 * 1024 * 1024))])

    # Sizes that the packed bytes could hold, that add up to more than the import takes at all.
    videos = [("film/v%d.avi" % n, os.urandom(1024 * 1024)) for n in range(5)]
    many = overlay(keys=[(n, "@c:\\film\\v%d.avi@" % n, "", "") for n in range(5)], background=[])
    write(out("claims_5gb.zip"), [("Film.ini", many), ("register.txt", b"[Overlays]\r\n1=Film\r\n")] + videos)
    for name, _ in videos:
        patch_sizes(out("claims_5gb.zip"), name, 1000 * 1000 * 1000)

    # Names with Swedish letters stored as code page 1252 bytes without the UTF-8 flag, as some
    # Windows tools write them; and the same stored as code page 437, as zip programs should.
    djur = overlay(keys=[(0, "", "c:\\bilder\\h\u00e4st.bmp", "H\u00e4st")], background=[])
    for codepage, archive in (("cp1252", "ansi_names.zip"), ("cp437", "oem_names.zip")):
        write(out(archive), [("Djur XYZ.ini", djur),
                             ("register.txt", "[Overlays]\r\n1=Djur \u00e5\u00e4\u00f6\r\n".encode("cp1252")),
                             ("bilder/hQst.bmp", b"BM h\xe4st")])
        rename_raw(out(archive), "Djur XYZ.ini", "Djur \u00e5\u00e4\u00f6.ini".encode(codepage))
        rename_raw(out(archive), "bilder/hQst.bmp", "bilder/h\u00e4st.bmp".encode(codepage))

    # A zip file that is none.
    with open(out("inte_zip.zip"), "wb") as f:
        f.write(b"Det h\xe4r \xe4r ingen zip-fil.\r\n" * 20)


if __name__ == "__main__":
    main(sys.argv[1])
