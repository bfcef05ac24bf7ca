#!/usr/bin/env python3
"""Each program's string and dialog ids must be unique, and each name defined once: its own resource.h and the shared library's
are compiled into one program, and two strings or templates under one number would silently show
one in place of the other. Run by ctest: check_resource_ids.py <resources folder>."""
import re
import sys
from pathlib import Path

KINDS = ("IDS_", "IDD_", "IDR_", "IDB_", "IDCUR_", "IDI_")
PROGRAMS = {"skarpin": ["library/resource.h", "skarpin/resource.h"],
            "morvel": ["library/resource.h", "morvel/resource.h"]}


def defines(path):
    for line in path.read_text(encoding="utf-8").splitlines():
        match = re.match(r"\s*#define\s+(\w+)\s+(\d+)\b", line)
        if match and match.group(1).startswith(KINDS):
            yield match.group(1), int(match.group(2))
        # An area's own ids header, included from its program's resource.h, counts as part of it.
        included = re.match(r'\s*#include\s+"(\w+/\w+_ids\.h)"', line)
        if included:
            yield from defines(path.parents[1] / included.group(1))


def main():
    folder = Path(sys.argv[1])
    failures = []
    for program, headers in PROGRAMS.items():
        seen = {}
        names = {}
        for header in headers:
            path = folder / header
            if not path.exists():
                continue
            for name, number in defines(path):
                kind = next(k for k in KINDS if name.startswith(k))
                # Each kind of resource has numbers of its own: a bitmap may share a dialog's number.
                space = kind
                # Accelerator tables and menus are resources of two types: a table may share a menu's number.
                if kind == "IDR_" and name.endswith("_KEYS"):
                    space = "IDR_KEYS"
                if name in names:
                    failures.append(f"{program}: {name} is defined twice ({names[name]} and {header})")
                names[name] = header
                other = seen.setdefault((space, number), name)
                if other != name:
                    failures.append(f"{program}: {name} and {other} are both {number}")
    for failure in failures:
        print(failure)
    print(f"{len(failures)} clashing ids")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
