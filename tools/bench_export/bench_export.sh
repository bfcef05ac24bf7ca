#!/usr/bin/env bash
# Times the export's look-ups over thousands of media files (under Wine, in the build given).
#   bash tools/bench_export/bench_export.sh [x64|x86] [media files] [rounds]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
build=${1:-x64}
files=${2:-10000}
rounds=${3:-3}
program="$RZ_BUILD_ROOT/$build/tools/bench_export/bench_export.exe"
[ -f "$program" ] || die "$program is missing" "build it first: RZ_ARCH=$build bash scripts/test.sh -R export"
"$ROOT/scripts/wine-run" "$program" "$files" "$rounds" | tr -d '\r'
