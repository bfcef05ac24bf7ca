#!/usr/bin/env python3
"""Archives of other programs for our zip reader, and checks of ours with Python's zipfile and
Info-ZIP's zip and unzip.

    zip_interop.py make <work>    the source files (src/) and the archives of other programs
    zip_interop.py check <work>   reads the archives our program left in <work>
"""
import io
import os
import random
import shutil
import subprocess
import sys
import zipfile

# Info-ZIP reads and writes names in the locale's character set.
TOOL_ENV = dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8")

SOURCE_FILES = {
    "Bilder.ini": ("Block1=0,0,0,0,<Paus0.5>@c:\\bilder\\hund.bmp+'Hund'@\r\n" * 800).encode("cp1252"),
    "register.txt": b"[Overlays]\r\n1=Bilder\r\n",
    "bilder/hund.bmp": random.Random(7).randbytes(70000),
    "ljud/sk\u00e5l \u00e4pple.wav": random.Random(9).randbytes(3000) + b"RIFF" * 2000,
    "tom.txt": b"",
    "mapp/undermapp/text.txt": ("Hej p\u00e5 dig, Morvel!\r\n" * 15000).encode("cp1252"),
}
FAILURES = []


def fail(message):
    FAILURES.append(message)
    print("FAIL: " + message)


def run(command, cwd=None):
    return subprocess.run(command, cwd=cwd, env=TOOL_ENV, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True)


class Unseekable(io.RawIOBase):
    """A stream zipfile cannot seek in, so it writes data descriptors after each entry."""

    def __init__(self, target):
        self.target = target

    def writable(self):
        return True

    def write(self, data):
        return self.target.write(data)


def make(work):
    src = os.path.join(work, "src")
    for name, data in SOURCE_FILES.items():
        path = os.path.join(src, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(data)
    theirs = os.path.join(work, "theirs")
    os.makedirs(theirs)

    for method, name in ((zipfile.ZIP_DEFLATED, "python_deflated.zip"), (zipfile.ZIP_STORED, "python_stored.zip")):
        with zipfile.ZipFile(os.path.join(theirs, name), "w", method) as archive:
            archive.writestr(zipfile.ZipInfo("mapp/"), b"")
            for entry, data in SOURCE_FILES.items():
                archive.writestr(entry, data)
    with open(os.path.join(theirs, "python_streamed.zip"), "wb") as raw:
        with zipfile.ZipFile(Unseekable(raw), "w", zipfile.ZIP_DEFLATED) as archive:
            for entry, data in SOURCE_FILES.items():
                with archive.open(entry, "w") as out:
                    out.write(data)

    for command in (["zip", "-q", "-r", "-6", "../theirs/infozip.zip", "."],
                    ["zip", "-q", "-r", "-s", "64k", "../theirs/infozip_split.zip", "."],
                    ["zip", "-q", "-r", "-P", "hemligt", "../theirs/infozip_encrypted.zip", "."]):
        result = run(command, cwd=src)
        if result.returncode != 0:
            fail("%s: %s" % (" ".join(command), result.stdout))

    # ZIP64 records for a small archive: zipfile writes them when its limits say so.
    limits = zipfile.ZIP64_LIMIT, zipfile.ZIP_FILECOUNT_LIMIT
    zipfile.ZIP64_LIMIT, zipfile.ZIP_FILECOUNT_LIMIT = 100, 1
    try:
        with zipfile.ZipFile(os.path.join(theirs, "python_zip64.zip"), "w", zipfile.ZIP_DEFLATED) as archive:
            for entry, data in SOURCE_FILES.items():
                archive.writestr(entry, data)
    finally:
        zipfile.ZIP64_LIMIT, zipfile.ZIP_FILECOUNT_LIMIT = limits


def read_expectations(path):
    """Lines of tab-separated fields in code page 1252, as our program writes them."""
    with open(path, encoding="cp1252", newline="") as lines:
        return [line.rstrip("\r\n").split("\t") for line in lines if line.strip()]


def check_with_zipfile(archive, expected):
    """The archive holds exactly the expected entries (name -> bytes) and passes zipfile's CRC test."""
    with zipfile.ZipFile(archive) as opened:
        bad = opened.testzip()
        if bad is not None:
            fail("%s: zipfile finds %s damaged" % (archive, bad))
        names = opened.namelist()
        if sorted(names) != sorted(expected):
            fail("%s: zipfile lists %s, expected %s" % (archive, sorted(names), sorted(expected)))
        for info in opened.infolist():
            if info.filename in expected and opened.read(info) != expected[info.filename]:
                fail("%s: %s holds other bytes" % (archive, info.filename))
            if any(ord(c) > 127 for c in info.filename) and not info.flag_bits & 0x800:
                fail("%s: %s is not marked as UTF-8" % (archive, info.filename))


def check_with_unzip(archive, expected, work):
    result = run(["unzip", "-t", "-qq", archive])
    if result.returncode != 0:
        fail("unzip -t %s: %s" % (archive, result.stdout))
        return
    out = os.path.join(work, "unzipped", os.path.basename(archive))
    os.makedirs(out, exist_ok=True)
    result = run(["unzip", "-qq", "-o", "-d", out, archive])
    if result.returncode != 0:
        fail("unzip %s: %s" % (archive, result.stdout))
        return
    for name, data in expected.items():
        path = os.path.join(out, *name.split("/"))
        if not os.path.isfile(path):
            fail("unzip %s: %s is missing" % (archive, name))
        else:
            with open(path, "rb") as unpacked:
                if unpacked.read() != data:
                    fail("unzip %s: %s holds other bytes" % (archive, name))


def join_volumes(folder, work):
    """Our diskettes (disk1, disk2, ... each with one volume of one name) as Info-ZIP's split files,
    joined by Info-ZIP's zip into one archive."""
    disks = sorted((d for d in os.listdir(folder) if d.startswith("disk")), key=lambda d: int(d[4:]))
    names = [os.listdir(os.path.join(folder, d))[0] for d in disks]
    base = os.path.splitext(names[0])[0]
    joined = os.path.join(work, "joined", os.path.basename(folder))
    os.makedirs(joined)
    for number, disk in enumerate(disks, 1):
        target = base + (".zip" if number == len(disks) else ".z%02d" % number)
        shutil.copy(os.path.join(folder, disk, names[0]), os.path.join(joined, target))
    result = run(["zip", "-q", "-s", "0", base + ".zip", "--out", "whole.zip"], cwd=joined)
    if result.returncode != 0:
        fail("zip -s 0 could not join %s: %s" % (folder, result.stdout))
        return None
    return os.path.join(joined, "whole.zip"), len(disks)


def check_export(work, name):
    """An exported set: its entries and their bytes or texts, as the program expects them."""
    archive = os.path.join(work, name + ".zip")
    if not os.path.isfile(archive):
        fail("the program left no %s" % archive)
        return
    expected, contains = {}, []
    for fields in read_expectations(os.path.join(work, name + ".txt")):
        if fields[0] == "equals":
            with open(os.path.join(work, fields[2]), "rb") as source:
                expected[fields[1]] = source.read()
        elif fields[0] == "text":
            expected[fields[1]] = fields[2].replace("\\r\\n", "\r\n").encode("cp1252")
        elif fields[0] == "contains":
            contains.append((fields[1], fields[2].replace("\\r\\n", "\r\n").encode("cp1252")))
            expected.setdefault(fields[1], None)
    with zipfile.ZipFile(archive) as opened:
        if opened.testzip() is not None:
            fail("%s: zipfile finds damage" % archive)
        if sorted(opened.namelist()) != sorted(expected):
            fail("%s: zipfile lists %s, expected %s" % (archive, sorted(opened.namelist()), sorted(expected)))
        for entry, data in expected.items():
            if data is not None and entry in opened.namelist() and opened.read(entry) != data:
                fail("%s: %s holds other bytes" % (archive, entry))
        for entry, text in contains:
            if entry in opened.namelist() and text not in opened.read(entry):
                fail("%s: %s lacks %r" % (archive, entry, text))
    result = run(["unzip", "-t", "-qq", archive])
    if result.returncode != 0:
        fail("unzip -t %s: %s" % (archive, result.stdout))


def check(work):
    expected = dict(SOURCE_FILES)
    ours = os.path.join(work, "ours.zip")
    if not os.path.isfile(ours):
        fail("the program left no ours.zip")
    else:
        check_with_zipfile(ours, expected)
        check_with_unzip(ours, expected, work)
        print("zipfile and unzip read ours.zip: %d entries" % len(expected))

    spanned = os.path.join(work, "ours_span")
    if os.path.isdir(spanned):
        joined = join_volumes(spanned, work)
        if joined:
            check_with_zipfile(joined[0], expected)
            check_with_unzip(joined[0], expected, work)
            print("zip -s 0 joins our %d diskettes; zipfile and unzip read the result" % joined[1])
    else:
        fail("the program left no diskettes in ours_span")

    diskettes = os.path.join(work, "diskette")
    if os.path.isdir(diskettes):
        joined = join_volumes(diskettes, work)
        if joined:
            os.replace(joined[0], os.path.join(work, "export_diskette.zip"))
            print("zip -s 0 joins the %d exported diskettes" % joined[1])
    for name in sorted(os.listdir(work)):
        if name.startswith("export") and name.endswith(".txt"):
            check_export(work, name[:-4])
            print("zipfile and unzip read %s.zip as exported" % name[:-4])


if __name__ == "__main__":
    {"make": make, "check": check}[sys.argv[1]](sys.argv[2])
    sys.exit(1 if FAILURES else 0)
