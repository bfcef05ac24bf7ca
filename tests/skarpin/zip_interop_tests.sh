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
windows_work="Z:${work//\//\\}"

# Drive A of the program's Wine prefix: a folder on a file system of a diskette's size; the test
# renames the folder to take the diskette out. Mounting needs root; without it the diskette export
# is not tested. A drive A that the prefix has already is left alone.
source "$(dirname "$wine_run")/common.sh"
use_build "$(pe_arch "$program")"
drive_a="$WINEPREFIX/dosdevices/a:"
diskette=""
if [ ! -e "$drive_a" ] && [ ! -L "$drive_a" ] && mkdir -p "$work/floppy" \
   && mount -t tmpfs -o size=1440k tmpfs "$work/floppy" 2>/dev/null; then
    diskette=1
    mkdir "$work/floppy/disk"
    ln -s "$work/floppy/disk" "$drive_a"
    export RZ_DISKETTE_SLOT="$windows_work\\floppy"
else
    echo "note: no drive A of a diskette's size (mounting needs root): the diskette export is not tested"
fi
cleanup() {
    if [ -n "$diskette" ]; then
        rm -f "$drive_a"
        umount "$work/floppy"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

python3 "$here/zip_interop.py" make "$work" || exit 1
RZ_ZIP_WORK="$windows_work" "$wine_run" "$program" --gtest_color=no
status=$?
python3 "$here/zip_interop.py" check "$work" || status=1
exit $status
