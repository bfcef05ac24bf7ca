#!/usr/bin/env bash
# Saves the whole Xvfb screen (or the given display) as PNG: screenshot.sh [out.png]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
out="${1:-$RZ_BUILD_ROOT/screenshot.png}"
if [ -z "${DISPLAY:-}" ] && [ -f "$RZ_BUILD_ROOT/xvfb.display" ]; then
    export DISPLAY=":$(cat "$RZ_BUILD_ROOT/xvfb.display")"
fi
/usr/bin/import -display "$DISPLAY" -window root "$out"
echo "$out"
