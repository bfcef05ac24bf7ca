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
build_project programs
"$ROOT/scripts/install-sample.sh"

# The default printer writes each print job as a PDF file into build/<arch>/utskrifter.
printed="$BUILD_DIR/utskrifter"
ppd="Z:$ROOT/scripts/wine/test-printer.ppd"
printer_log="$BUILD_DIR/printer.log"
timeout 120 "$ROOT/scripts/wine-run" "$BUILD_DIR/tools/pdf_printer/install_pdf_printer.exe" "PDF-skrivare" \
    "${ppd//\//\\}" "sh '$ROOT/scripts/print-to-pdf.sh' '$printed'" >"$printer_log" 2>&1 \
    || die "the PDF printer could not be installed (log: $printer_log)" "read the log; delete $WINEPREFIX and run the command again"

folder="Skarpin"; [ "$program" = morvel ] && folder="Morvel"
exe="$WINEPREFIX/drive_c/Program Files/$folder/$program.exe"
# Morvel starts on the sample user, whose newest document opens. Skarpin runs with the keyboard
# simulator behind COM1, for loads into the serial models and infrared: a PS/2 keyboard when Skarpin
# is set to that model as it starts, else an AccessKvora keyboard, which also learns infrared codes.
arguments=()
launcher=("$ROOT/scripts/wine-run")
[ "$program" = morvel ] && arguments=('C:\Program Files\Morvel\Sara.ini')
keyboard="AccessKvora"
if [ "$program" = skarpin ]; then
    export RZ_KEYBOARD_LINK=1 RZ_KEYBOARD_VERSION=V8.0A
    if grep -qi '^FBStatus=PS2' "$WINEPREFIX/drive_c/windows/skarpin.ini"; then
        keyboard="PS/2"
        RZ_KEYBOARD_VERSION=V1.2P
    fi
    launcher=(bash "$ROOT/tools/keyboard_sim/with_keyboard.sh")
fi
cd "$WINEPREFIX/drive_c/Program Files/$folder"
echo "$folder: the $(describe_build "$RZ_ARCH") build, prefix $WINEPREFIX"
echo "Printing goes to the printer PDF-skrivare, which writes PDF files into $printed"
if [ "$program" = skarpin ]; then
    other="PS/2"; [ "$keyboard" = "PS/2" ] && other="AccessKvora"
    echo "A simulated $keyboard keyboard stands behind COM1 while Skarpin runs; the USB driver and Zenthor stand-ins log beside themselves in $WINEPREFIX/drive_c/Program Files/Skarpin"
    echo "The simulator answers as $keyboard only, fixed when this command starts it: to try $other, choose $other as the keyboard model in Skarpin, end Skarpin and run this command again"
fi
if [ -n "$own_display" ] && [ "$DISPLAY" = "$own_display" ]; then
    exec "${launcher[@]}" "$exe" "${arguments[@]}"
fi

nohup "${launcher[@]}" "$exe" "${arguments[@]}" >"$BUILD_DIR/$program.log" 2>&1 &
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
echo "Take another with scripts/screenshot.sh. Close its window to end it (it asks about unsaved work); WINEPREFIX=$WINEPREFIX wineserver -k ends it at once, unsaved work and all"
