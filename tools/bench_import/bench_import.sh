#!/usr/bin/env bash
# Makes an archive of 30,000 entries with Python's zipfile and times its import (under Wine, in the
# build given): the listing, and the import wizard page by page. Fewer overlays than 100 give an
# archive of that share of the entries; "--one-name N" an archive of N pictures all named x.bmp.
#   bash tools/bench_import/bench_import.sh [x64|x86] [rounds] [overlays | --one-name pictures]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
build=${1:-x64}
rounds=${2:-3}
shift $(($# < 2 ? $# : 2))
[ $# -gt 0 ] || set -- 100
program="$RZ_BUILD_ROOT/$build/tools/bench_import/bench_import.exe"
[ -f "$program" ] || die "$program is missing" "build it first: RZ_ARCH=$build bash scripts/test.sh -R import"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$ROOT/tools/bench_import/make_bench_archive.py" "$work/Stort set.zip" "$@"
"$ROOT/scripts/wine-run" "$program" "Z:${work//\//\\}\\Stort set.zip" "$rounds" | tr -d '\r'
