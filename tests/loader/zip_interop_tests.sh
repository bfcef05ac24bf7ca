#!/usr/bin/env bash
# Runs zip_interop_tests under Wine between Python's zipfile and Info-ZIP's zip and unzip: first
# zip_interop.py makes the source files and the other programs' archives in a work folder, then the
# program reads those and leaves its own, which zip_interop.py then reads with zipfile and Info-ZIP.
#   zip_interop_tests.sh <test program> <wine runner>
set -u
program=$1
wine_run=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for tool in python3 zip unzip; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is missing (scripts/setup.sh installs it)"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/zip_interop.py" make "$work" || exit 1
RZ_ZIP_WORK="Z:${work//\//\\}" "$wine_run" "$program" --gtest_color=no
status=$?
python3 "$here/zip_interop.py" check "$work" || status=1
exit $status
