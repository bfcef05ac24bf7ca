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

# A settings file installed before the sample gained a section gets that section at its end; the
# sections it has already stay as the user left them.
add_missing_sections() { # source-folder target-folder
    (cd "$1" && find . -type f -name '*.ini') | while read -r file; do
        [ -e "$2/$file" ] || continue
        python3 - "$1/$file" "$2/$file" <<'PY'
import sys

def sections(path):
    found, order, name = {}, [], None
    for line in open(path, "rb").read().decode("latin-1").splitlines():
        text = line.strip()
        if text.startswith("[") and text.endswith("]"):
            name = text[1:-1].lower()
            if name not in found:
                found[name] = (text, [])
                order.append(name)
        elif name is not None and "=" in text and not text.startswith(";"):
            found[name][1].append(text)
    return found, order

source, order = sections(sys.argv[1])
target, _ = sections(sys.argv[2])
added = ""
for name in order:
    if name in target:
        continue
    header, lines = source[name]
    added += header + "\r\n" + "".join(line + "\r\n" for line in lines)
if added:
    with open(sys.argv[2], "rb") as f:
        text = f.read()
    if text and not text.endswith(b"\n"):
        text += b"\r\n"
    with open(sys.argv[2], "wb") as f:
        f.write(text + added.encode("latin-1"))
PY
    done
}

add_missing_sections "$sample/windows" "$drive/windows"
add_missing_sections "$sample/skarpin" "$drive/Program Files/Skarpin"
add_missing_sections "$sample/morvel" "$drive/Program Files/Morvel"
copy_missing "$sample/windows" "$drive/windows"
copy_missing "$sample/skarpin" "$drive/Program Files/Skarpin"
copy_missing "$sample/morvel" "$drive/Program Files/Morvel"
mkdir -p "$drive/Program Files/Skarpin/Set"
copy_missing "$sample/sets" "$drive/Program Files/Skarpin/Set"
# The sample's archive set is read-only, as a set on a write-protected share would be.
chmod a-w "$drive/Program Files/Skarpin/Set/Arkiv"
copy_missing "$sample/bildbas" "$drive/Program Files/Bildbas"
cp "$BUILD_DIR/skarpin/skarpin.exe" "$drive/Program Files/Skarpin/"
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
