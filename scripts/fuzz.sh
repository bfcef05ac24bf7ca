#!/usr/bin/env bash
# Runs the fuzzer (tools/fuzz) of one build in a Wine prefix of its own, so that a test run, which
# restarts its build's Wine server, does not end it; the program is copied first, so a rebuild does
# not change it under a running child.
#   RZ_ARCH=x64|x86 scripts/fuzz.sh <format|all> <seed> <count> [time limit ms]
# Failing inputs and summary.txt go to build/fuzz/<arch>-<seed>/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
use_build "${RZ_ARCH:-x64}"
[ $# -ge 3 ] || { echo "usage: RZ_ARCH=x64|x86 scripts/fuzz.sh <format|all> <seed> <count> [time limit ms]" >&2; exit 2; }
program="$BUILD_DIR/tools/fuzz/fuzz.exe"
[ -f "$program" ] || die "$program is missing" "build first: bash scripts/test.sh"
[ -f "$WINEPREFIX/.prefix-ready" ] || die "the $RZ_ARCH Wine prefix is missing" "run bash scripts/test.sh once"
work="$RZ_BUILD_ROOT/fuzz"
prefix="$work/wine-$RZ_ARCH"
mkdir -p "$work/bin-$RZ_ARCH"
if [ ! -f "$prefix/.prefix-ready" ]; then
    log "copying the $RZ_ARCH prefix for the fuzzer (once)"
    rm -rf "$prefix"
    cp -a "$WINEPREFIX" "$prefix"
fi
cp "$program" "$work/bin-$RZ_ARCH/fuzz.exe"
output="$work/$RZ_ARCH-$2"
mkdir -p "$output"
export WINEPREFIX="$prefix"
"$WINESERVER" -p >/dev/null 2>&1 </dev/null || true
"$WINELOADER" "$work/bin-$RZ_ARCH/fuzz.exe" run "$1" "$2" "$3" "Z:$(echo "$output" | tr '/' '\\')" "${4:-2000}"
