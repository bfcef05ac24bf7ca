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


def resource_types(folder):
    """The resource type each IDR_ name is declared with in the .rc files (MENU, ACCELERATORS, ...):
    a menu and an accelerator table may share a number, as the programs' own do."""
    types = {}
    for rc in folder.rglob("*.rc"):
        for line in rc.read_text(encoding="utf-8", errors="replace").splitlines():
            match = re.match(r"\s*(IDR_\w+)\s+([A-Z]+)\b", line)
            if match:
                types[match.group(1)] = match.group(2)
    return types


def main():
    folder = Path(sys.argv[1])
    types = resource_types(folder)
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
                space = (kind, types.get(name, "")) if kind == "IDR_" else kind
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
