#!/usr/bin/env bash
# Writes the sample configuration's sets "Arkiv", "Mallar" and "Standardöverlägg" into
# scripts/sample/sets/ with Skarpin's own overlay writer (tools/sample_sets). The set "Exempel" is
# scripts/make_sample_overlays.sh's. Run it after changing the sample sets; commit what it writes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$ROOT/scripts/build.sh"
sets="$ROOT/scripts/sample/sets"
"$ROOT/scripts/wine-run" "$BUILD_DIR/tools/sample_sets/sample_sets.exe" "$(echo "Z:$sets" | tr '/' '\\')"
