#!/usr/bin/env bash
# Runs sound_device_tests under Wine against a sound device and files of other programs, then has
# sox read the WAVE files the program wrote. ALSA's null device stands for the sound card: what is
# played goes to played.raw, what is recorded comes from capture.raw (a ramp). Only this Wine process
# sees that device (ALSA_CONFIG_PATH); PulseAudio and OSS are kept out.
#   sound_device_tests.sh <test program> <wine runner>
set -u
program=$1
wine_run=$2

# The test command installs these tools: a missing one is a failure of the run, never a skip.
for tool in sox soxi espeak-ng python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAILED: $tool is missing (scripts/test.sh installs it; run it as root once)"
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The recorded signal: 16-bit samples, each 256 above the one before, so that their order shows in
# every quality (the 8-bit ones step by one).
python3 - "$work/capture.raw" <<'PY'
import struct, sys
with open(sys.argv[1], "wb") as out:
    out.write(b"".join(struct.pack("<H", (i * 256) & 0xFFFF) for i in range(22050 * 70)))
PY

cat >"$work/asound.conf" <<CONF
pcm.!default {
    type asym
    playback.pcm { type file slave.pcm { type null } file "$work/played.raw" format raw }
    capture.pcm {
        type route
        slave.pcm { type file slave.pcm { type null } file "/dev/null" infile "$work/capture.raw" format raw }
        slave.channels 1
        slave.format S16_LE
        ttable.0.0 1
    }
}
CONF

# WAVE files that no one here wrote, each with sox's description and samples beside it.
sox -q -n -r 11025 -b 8 -c 1 "$work/sox_u8.wav" synth 0.5 sine 440
sox -q -n -r 44100 -b 24 -c 2 "$work/sox_s24_stereo.wav" synth 0.2 sine 300 sine 500
sox -q -n -r 22050 -b 16 -c 1 "$work/sox_padded.wav" synth 0.3 sine 440 pad 0.2 0.4
espeak-ng -w "$work/espeak.wav" "Hej, jag heter Morvel." || { echo "espeak-ng could not speak into a file"; exit 1; }
for file in "$work/sox_u8.wav" "$work/sox_s24_stereo.wav" "$work/espeak.wav"; do
    echo "$(soxi -r "$file") $(soxi -b "$file") $(soxi -c "$file") $(soxi -s "$file")" >"${file%.wav}.txt"
    sox "$file" -t raw "${file%.wav}.raw"
done

ALSA_CONFIG_PATH="$work/asound.conf" WINEDLLOVERRIDES="winepulse.drv,wineoss.drv=d" \
    RZ_SOUND_DIR="Z:${work//\//\\}" "$wine_run" "$program" --gtest_color=no
status=$?

# Our files, as sox reads them: the same samples the program meant.
shopt -s nullglob
ours=("$work"/ours_*.wav)
if [ ${#ours[@]} -eq 0 ]; then
    echo "the test program left no WAVE files for sox"
    status=1
fi
for file in "${ours[@]}"; do
    name=$(basename "$file")
    if soxi "$file" >/dev/null 2>&1 && sox "$file" -t raw "$file.sox.raw" 2>"$file.sox.log" && cmp -s "$file.sox.raw" "${file%.wav}.raw"; then
        echo "sox reads $name: $(soxi -r "$file") Hz, $(soxi -b "$file") bits, $(soxi -s "$file") samples"
    else
        echo "sox does not read $name as it was written:"
        cat "$file.sox.log"
        status=1
    fi
done
exit $status
