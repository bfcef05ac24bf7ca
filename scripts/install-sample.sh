#!/usr/bin/env bash
# Puts the built programs and the ready sample configuration into the Wine prefix. Files the user may
# have changed there are left alone; the programs themselves are always replaced.
# The build is the one RZ_ARCH names (default x64).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
use_build "${RZ_ARCH:-x64}"
drive="$WINEPREFIX/drive_c"
sample="$ROOT/scripts/sample"

copy_missing() { # source-folder target-folder
    mkdir -p "$2"
    (cd "$1" && find . -type f) | while read -r file; do
        [ -e "$2/$file" ] && continue
        mkdir -p "$(dirname "$2/$file")"
        cp "$1/$file" "$2/$file"
    done
}

copy_missing "$sample/windows" "$drive/windows"
copy_missing "$sample/skarpin" "$drive/Program Files/Skarpin"
copy_missing "$sample/morvel" "$drive/Program Files/Morvel"
mkdir -p "$drive/Program Files/Skarpin/Set"
copy_missing "$sample/sets" "$drive/Program Files/Skarpin/Set"
# The sample's archive set is read-only, as a set on a write-protected share would be.
chmod a-w "$drive/Program Files/Skarpin/Set/Arkiv"
copy_missing "$sample/bildbas" "$drive/Program Files/Bildbas"
cp "$BUILD_DIR/loader/skarpin.exe" "$drive/Program Files/Skarpin/"
cp "$BUILD_DIR/tremlin/Tremlin.dll" "$drive/Program Files/Skarpin/"  # the mouse hook, bound at link time
# Stand-ins for the USB keyboard's driver program and the Zenthor infrared program, where Skarpin
# starts them ("<program folder>\<[USB] DriverName>.skarpin.exe", "<program folder>\Zenthor\Zenthor.exe").
cp "$BUILD_DIR/tools/usbdriver/usbdriver.exe" "$drive/Program Files/Skarpin/Rizovuvuri.skarpin.exe"
mkdir -p "$drive/Program Files/Skarpin/Zenthor"
cp "$BUILD_DIR/tools/zenthor/zenthor.exe" "$drive/Program Files/Skarpin/Zenthor/Zenthor.exe"
cp "$BUILD_DIR/writer/morvel.exe" "$drive/Program Files/Morvel/"
# Our speech engine in place of the commercial one, where the registry sends the programs to look.
mkdir -p "$drive/Program Files/AcaTTS"
cp "$BUILD_DIR/tools/acatts/AcaTTS.dll" "$drive/Program Files/AcaTTS/"
timeout 60 "$WINELOADER" reg add 'HKLM\Software\Ulmarcon\TTS\Path' /ve /d 'C:\Program Files\AcaTTS' /f >/dev/null 2>&1 \
    || die "the speech engine's registry value could not be written" "delete $WINEPREFIX and run the command again"
