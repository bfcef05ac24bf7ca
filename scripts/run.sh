#!/usr/bin/env bash
# Builds and starts Skarpin (or Morvel: run.sh morvel) under Wine on the sample configuration: the
# 32-bit build, as it ships, where this machine can run it, else the 64-bit one (RZ_ARCH chooses).
# Without a display of your own it runs on Xvfb and saves a screenshot.
set -euo pipefail
program="${1:-skarpin}"
case "$program" in skarpin|morvel) ;; *) echo "usage: run.sh [skarpin|morvel]" >&2; exit 2 ;; esac
own_display="${DISPLAY:-}"
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/build.sh"

prepare_machine
if [ -z "${RZ_ARCH:-}" ]; then
    if can_run_32bit; then RZ_ARCH=x86; else RZ_ARCH=x64; fi
fi
use_build "$RZ_ARCH"
prepare_wine
build_project
"$ROOT/scripts/install-sample.sh"

folder="Skarpin"; [ "$program" = morvel ] && folder="Morvel"
exe="$WINEPREFIX/drive_c/Program Files/$folder/$program.exe"
# Morvel starts on the sample user, whose newest document opens.
arguments=()
[ "$program" = morvel ] && arguments=('C:\Program Files\Morvel\Sara.ini')
cd "$WINEPREFIX/drive_c/Program Files/$folder"
echo "$folder: the $(describe_build "$RZ_ARCH") build, prefix $WINEPREFIX"
if [ -n "$own_display" ] && [ "$DISPLAY" = "$own_display" ]; then
    exec "$ROOT/scripts/wine-run" "$exe" "${arguments[@]}"
fi

nohup "$ROOT/scripts/wine-run" "$exe" "${arguments[@]}" >"$BUILD_DIR/$program.log" 2>&1 &
pid=$!
# Wait until the program has a window on the screen, then photograph it.
for _ in $(seq 1 150); do
    xwininfo -root -tree 2>/dev/null | grep -qi "$folder" && break
    kill -0 "$pid" 2>/dev/null || die "$folder ended at once (log: $BUILD_DIR/$program.log)" "read the log"
    sleep 0.1
done
sleep 1
shot="$BUILD_DIR/$program.png"
"$ROOT/scripts/screenshot.sh" "$shot" >/dev/null
echo "$folder runs on Xvfb display $DISPLAY (process $pid); screenshot: $shot"
echo "Take another with scripts/screenshot.sh; stop it with: kill $pid"
