#!/usr/bin/env bash
# Runs command_keyboard_tests under Wine on an X display of its own whose keymap is Swedish. Wine takes
# its keyboard layout from the X server's keymap (LoadKeyboardLayout does not switch it, and the locale
# only renames it), so the test needs a display of its own: the one other tests share keeps its layout.
#   command_keyboard_tests.sh <test program> <wine runner>
set -u
program=$1
wine_run=$2

for tool in Xvfb setxkbmap xdpyinfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is missing (package xvfb brings Xvfb and setxkbmap, x11-utils xdpyinfo)"
        exit 77
    fi
done

# A free display number; -noreset keeps the keymap when the last client (setxkbmap) leaves.
number=150
while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do number=$((number + 1)); done
log=$(mktemp)
Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >"$log" 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 1 100); do
    DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
if ! DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
    echo "Xvfb did not start on :$number:"
    cat "$log"
    exit 1
fi
if ! DISPLAY=":$number" setxkbmap se || ! DISPLAY=":$number" setxkbmap -query | grep -q '^layout: *se$'; then
    echo "the Swedish keymap could not be set on :$number"
    exit 1
fi

# A Wine desktop of its own, started on this display: the prefix's shared desktop may live on another
# display, where this program could not make its windows.
name=$(basename "$program")
"$wine_run" reg add "HKCU\\Software\\Wine\\AppDefaults\\$name\\Explorer" /v Desktop /d Tangentbord /f >/dev/null 2>&1 &&
    "$wine_run" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Tangentbord /d 1024x768 /f >/dev/null 2>&1 ||
    { echo "the program's own Wine desktop could not be set up"; exit 1; }

DISPLAY=":$number" "$wine_run" "$program" --gtest_color=no
