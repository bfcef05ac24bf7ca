# Sourced after setup.sh: configures and builds the project in $BUILD_DIR.
if ! cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release >"$BUILD_DIR/cmake.log" 2>&1; then
    cat "$BUILD_DIR/cmake.log" >&2
    exit 1
fi
if ! cmake --build "$BUILD_DIR" -j "$(nproc)" >"$BUILD_DIR/build.log" 2>&1; then
    grep -E 'error|Error' "$BUILD_DIR/build.log" | head -50 >&2
    echo "build failed; the whole log is $BUILD_DIR/build.log" >&2
    exit 1
fi
grep -E 'warning:' "$BUILD_DIR/build.log" | sort -u >&2 || true
