#!/usr/bin/env bash
# Packs 100 overlay files and 50 MB of pictures and sounds with our zip module (under Wine, in the
# build given) and with Info-ZIP's "zip -6" on the same files in the same run, and prints the times,
# the archive sizes and their ratios.
#   bash tools/bench_zip/bench_zip.sh [x64|x86] [rounds]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
build=${1:-x64}
rounds=${2:-3}
program="$RZ_BUILD_ROOT/$build/tools/bench_zip/bench_zip.exe"
[ -f "$program" ] || die "$program is missing" "build it first: bash scripts/test.sh (or RZ_ARCH=$build bash scripts/test.sh -R zip)"
command -v zip >/dev/null || die "Info-ZIP's zip is missing" "install it: apt-get install zip"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$ROOT/tools/bench_zip/make_bench_files.py" "$work/src"

echo "ours ($build build, $rounds rounds):"
ours=$("$ROOT/scripts/wine-run" "$program" "Z:${work//\//\\}\\src" "Z:${work//\//\\}\\ours.zip" "$rounds" | tr -d '\r')
echo "$ours"

times=()
for _ in $(seq 1 "$rounds"); do
    rm -f "$work/infozip.zip"
    start=$(date +%s%N)
    (cd "$work/src" && zip -q -r -6 "$work/infozip.zip" .)
    times+=($(( ($(date +%s%N) - start) / 1000000 )))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
zip_least=${sorted[0]}
zip_median=${sorted[$(( ${#sorted[@]} / 2 ))]}
zip_size=$(stat -c %s "$work/infozip.zip")
echo "Info-ZIP zip -6: pack ms least $zip_least median $zip_median, archive $zip_size"

ours_least=$(echo "$ours" | awk '/^pack/ {print $4}')
ours_median=$(echo "$ours" | awk '/^pack/ {print $6}')
ours_size=$(echo "$ours" | awk '/^files/ {print $6}')
awk -v ol="$ours_least" -v om="$ours_median" -v zl="$zip_least" -v zm="$zip_median" -v os="$ours_size" -v zs="$zip_size" \
    'BEGIN { printf "ratio ours / zip -6: time least %.2f, median %.2f; size %.3f\n", ol / zl, om / zm, os / zs }'
