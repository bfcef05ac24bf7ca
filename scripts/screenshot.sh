#!/usr/bin/env bash
# Saves the whole Xvfb screen (or the given display) as PNG: screenshot.sh [out.png]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
out="${1:-$BUILD_DIR/screenshot.png}"
if [ -z "${DISPLAY:-}" ] && [ -f "$BUILD_DIR/xvfb.display" ]; then
    export DISPLAY=":$(cat "$BUILD_DIR/xvfb.display")"
fi
/usr/bin/import -display "$DISPLAY" -window root "$out"
echo "$out"
