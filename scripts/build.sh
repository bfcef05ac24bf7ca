# Sourced after common.sh and use_build: configures and builds the current build in $BUILD_DIR.
#   build_project            the programs, the tools, the sample's makers and every test
#   build_project programs   all but the tests (the run command: the programs start without waiting
#                            for the test suite to build)
build_project() {
    local tests=ON what="programs and tests"
    if [ "${1:-}" = programs ]; then tests=OFF; what="programs"; fi
    mkdir -p "$BUILD_DIR"
    log "building the $(describe_build "$RZ_ARCH") $what in $BUILD_DIR"
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" -DBUILD_TESTS=$tests \
        >"$BUILD_DIR/cmake.log" 2>&1 || { cat "$BUILD_DIR/cmake.log" >&2; die "cmake could not configure the $(describe_build "$RZ_ARCH") build (log above)" "mend the cause; deleting $BUILD_DIR/CMakeCache.txt starts the configuration afresh"; }
    if ! cmake --build "$BUILD_DIR" -j "${RZ_JOBS:-$(nproc)}" >"$BUILD_DIR/build.log" 2>&1; then
        grep -E 'error|Error' "$BUILD_DIR/build.log" | head -50 >&2
        die "the $(describe_build "$RZ_ARCH") build failed; the whole log is $BUILD_DIR/build.log" "mend the errors above"
    fi
    grep -E 'warning:' "$BUILD_DIR/build.log" | sort -u >&2 || true
}
