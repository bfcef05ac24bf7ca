#!/usr/bin/env bash
# Builds and runs every test under Wine: the 64-bit build on every machine, the 32-bit build too
# where the machine can run 32-bit programs. Works on a fresh Debian machine as root. Arguments go to
# ctest (bash scripts/test.sh -R library); RZ_ARCH=x64 or x86 tests that build alone.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/build.sh"

prepare_machine
# Every Windows program a test starts ends after 15 minutes at the latest (scripts/wine-run).
export WINE_RUN_TIMEOUT="${WINE_RUN_TIMEOUT:-900}"
if [ -n "${RZ_ARCH:-}" ]; then
    builds=("$RZ_ARCH")
elif can_run_32bit; then
    builds=(x64 x86)
else
    builds=(x64)
    log "this machine cannot run 32-bit programs: only the 64-bit build is tested"
fi

passed=()
failed=()
for build in "${builds[@]}"; do
    # Each build in a shell of its own: a failed step ends that build, not the summary.
    if (
        use_build "$build"
        prepare_wine
        build_project
        cd "$BUILD_DIR"
        log "testing the $(describe_build "$build") build"
        ctest --output-on-failure --timeout 900 "$@"
    ); then
        passed+=("$(describe_build "$build")")
    else
        failed+=("$(describe_build "$build")")
    fi
done

# Both builds must write the same files (sets, overlays, drawings).
compared=""
if [ ${#failed[@]} -eq 0 ] && [ ${#builds[@]} -eq 2 ] && [ $# -eq 0 ]; then
    if compared=$(bash "$ROOT/scripts/compare-builds.sh"); then :; else failed+=("the comparison of the two builds"); fi
fi

echo
[ -n "$compared" ] && echo "$compared"
[ ${#passed[@]} -gt 0 ] && echo "Tested and passed: ${passed[*]}"
[ ${#failed[@]} -gt 0 ] && echo "FAILED: ${failed[*]}"
if [ ${#builds[@]} -eq 1 ] && [ "${builds[0]}" = x64 ] && [ -z "${RZ_ARCH:-}" ]; then
    echo "Not tested: the 32-bit build (this machine cannot run 32-bit programs)"
fi
[ ${#failed[@]} -eq 0 ]
