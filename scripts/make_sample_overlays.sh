#!/usr/bin/env bash
# Writes the sample set "Exempel" (register.txt and two overlays) into scripts/sample/sets/ with
# Skarpin's own overlay writer, then draws each overlay into build/sample_overlays/<name>.png for a
# look. Run it after changing the sample overlays (tools/sample_overlays); commit what it writes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/build.sh"
prepare_machine
use_build "${RZ_ARCH:-x64}"
prepare_wine
build_project programs
tool="$BUILD_DIR/tools/sample_overlays/sample_overlays.exe"
sets="$ROOT/scripts/sample/sets"
windows_path() { echo "Z:$1" | tr '/' '\\'; }

"$ROOT/scripts/wine-run" "$tool" write "$(windows_path "$sets")"
# The pictures come from the sample image base, which the prefix must hold to draw them.
"$ROOT/scripts/install-sample.sh"
out="$BUILD_DIR/sample_overlays"
mkdir -p "$out"
for overlay in "$sets"/Exempel/*.ini; do
    name="$(basename "$overlay" .ini)"
    "$ROOT/scripts/wine-run" "$tool" draw "$(windows_path "$overlay")" "$(windows_path "$out/$name.bmp")"
    convert "$out/$name.bmp" "$out/$name.png"
done
