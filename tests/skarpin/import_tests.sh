#!/usr/bin/env bash
# Runs import_tests under Wine with the archives that Python's zipfile makes for it
# (import_archives.py): an export-like one, one with every kind of hostile name, and damaged ones.
#   import_tests.sh <test program> <wine runner> [gtest arguments]
set -u
program=$1
wine_run=$2
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if ! command -v python3 >/dev/null 2>&1; then
    echo "skipped: python3 is missing"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/import_archives.py" "$work" || exit 1
RZ_IMPORT_ARCHIVES="Z:${work//\//\\}" "$wine_run" "$program" "$@"
