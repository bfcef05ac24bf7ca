#!/usr/bin/env bash
# Runs a Windows program under Wine with the keyboard simulator behind the prefix's COM ports: starts
# keyboard_sim.py on a pseudo-terminal for the program's own Wine prefix, hands the program the
# simulator's control port in RZ_KEYBOARD_CONTROL, and afterwards stops the simulator and removes
# any dosdevices/comN link it may have left. RZ_KEYBOARD_LINK=N puts the simulator behind COMN from
# the start, RZ_KEYBOARD_VERSION its answer to the version request (the run command's keyboard).
#   with_keyboard.sh <program.exe> [arguments...]
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../scripts/common.sh"
program=$1
shift

arch=$(pe_arch "$program")
[ -n "$arch" ] || { echo "with_keyboard: $program is not a Windows program" >&2; exit 1; }
use_build "$arch"
if [ ! -d "$WINEPREFIX/dosdevices" ]; then
    echo "with_keyboard: the Wine prefix $WINEPREFIX is not made yet (bash scripts/test.sh makes it)" >&2
    exit 1
fi

work=$(mktemp -d)
simulator_pid=""
pty=""
cleanup() {
    if [ -n "$simulator_pid" ] && kill -0 "$simulator_pid" 2>/dev/null; then
        kill "$simulator_pid" 2>/dev/null
        wait "$simulator_pid" 2>/dev/null
    fi
    # The simulator unlinks on its way out; a killed one cannot, so its links go here.
    if [ -n "$pty" ]; then
        for link in "$WINEPREFIX"/dosdevices/com[1-9]; do
            [ -L "$link" ] && [ "$(readlink "$link")" = "$pty" ] && rm -f "$link"
        done
    fi
    rm -rf "$work"
}
trap cleanup EXIT

python3 "$here/keyboard_sim.py" --prefix "$WINEPREFIX" --ready "$work/ready" ${RZ_KEYBOARD_LINK:+--link "$RZ_KEYBOARD_LINK"} \
    ${RZ_KEYBOARD_VERSION:+--version "$RZ_KEYBOARD_VERSION"} \
    >"$work/simulator.log" 2>&1 &
simulator_pid=$!
for _ in $(seq 1 100); do
    [ -f "$work/ready" ] && break
    kill -0 "$simulator_pid" 2>/dev/null || break
    sleep 0.05
done
if [ ! -f "$work/ready" ]; then
    echo "with_keyboard: the keyboard simulator did not start:" >&2
    cat "$work/simulator.log" >&2
    exit 1
fi
read -r control pty <"$work/ready"

RZ_KEYBOARD_CONTROL="$control" "$ROOT/scripts/wine-run" "$program" "$@"
status=$?
if [ -s "$work/simulator.log" ]; then
    echo "keyboard simulator said:"
    cat "$work/simulator.log"
fi
exit $status
