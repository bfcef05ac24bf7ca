#!/usr/bin/env bash
# Builds everything and runs every test under Wine. Works on a fresh Debian machine as root.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$ROOT/scripts/build.sh"
cd "$BUILD_DIR"
ctest --output-on-failure --timeout 900 "$@"
