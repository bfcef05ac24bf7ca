#!/usr/bin/env bash
# Writes the sample configuration's sets "Arkiv", "Mallar" and "Standardöverlägg" into
# scripts/sample/sets/ with Skarpin's own overlay writer (tools/sample_sets). The set "Exempel" is
# scripts/make_sample_overlays.sh's. Run it after changing the sample sets; commit what it writes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/build.sh"
prepare_machine
use_build "${RZ_ARCH:-x64}"
prepare_wine
build_project programs
sets="$ROOT/scripts/sample/sets"
"$ROOT/scripts/wine-run" "$BUILD_DIR/tools/sample_sets/sample_sets.exe" "$(echo "Z:$sets" | tr '/' '\\')"
