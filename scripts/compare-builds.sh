#!/usr/bin/env bash
# Both builds must write the same files: each writes the sample sets with Skarpin's own writers,
# compiles two of them into set images and draws every sample overlay as the editor shows it, and the
# two results are compared byte for byte.
# Run by test.sh after both builds passed; needs both builds and their prefixes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
out="$RZ_BUILD_ROOT/compare"
windows_path() { echo "Z:$1" | tr '/' '\\'; }

for build in x64 x86; do
    (
        use_build "$build"
        folder="$out/$build"
        rm -rf "$folder"
        mkdir -p "$folder/sets" "$folder/drawn" "$folder/images"
        "$ROOT/scripts/wine-run" "$BUILD_DIR/tools/sample_overlays/sample_overlays.exe" write "$(windows_path "$folder/sets")" >/dev/null
        "$ROOT/scripts/wine-run" "$BUILD_DIR/tools/sample_sets/sample_sets.exe" "$(windows_path "$folder/sets")" >/dev/null
        # The set images the compiler makes of them, with the sample's key words and key-code table.
        for set in Exempel Arkiv; do
            "$ROOT/scripts/wine-run" "$BUILD_DIR/tools/set_image/set_image.exe" "$(windows_path "$ROOT/scripts/sample/skarpin")" \
                "$(windows_path "$folder/sets")" "$set" "$(windows_path "$folder/images/$set.img")" >/dev/null
        done
        # The pictures of the overlays come from the sample image base in the prefix.
        "$ROOT/scripts/install-sample.sh"
        find "$folder/sets" -name '*.ini' | sort | while read -r overlay; do
            name="$(basename "$(dirname "$overlay")")_$(basename "$overlay" .ini)"
            "$ROOT/scripts/wine-run" "$BUILD_DIR/tools/sample_overlays/sample_overlays.exe" draw \
                "$(windows_path "$overlay")" "$(windows_path "$folder/drawn/$name.bmp")" >/dev/null
        done
    ) || { echo "compare-builds: the $build build could not write its files" >&2; exit 1; }
done

if diff -r "$out/x64" "$out/x86" >"$out/diff.txt" 2>&1; then
    echo "Both builds wrote the same files: $(find "$out/x64" -type f | wc -l) sets, overlays, set images and drawings"
else
    echo "FAILED: the 64-bit and 32-bit builds wrote different files:" >&2
    head -20 "$out/diff.txt" >&2
    exit 1
fi
