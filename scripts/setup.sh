# Sourced by run.sh and test.sh: installs what the build and the Wine runs need, skipping what is
# there, then makes (once) and starts the 32-bit Wine prefix inside the build folder, with Xvfb
# when there is no display. Exports ROOT, BUILD_DIR, WINEPREFIX, WINEARCH, WINEDEBUG and DISPLAY.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
export ROOT BUILD_DIR
export WINEPREFIX="$BUILD_DIR/wine"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"

PACKAGES=(cmake make python3 googletest g++-mingw-w64-i686 libz-mingw-w64-dev wine wine32:i386 xvfb
          x11-utils x11-apps imagemagick fonts-wine fonts-liberation libcups2:i386 libgnutls30:i386
          ghostscript poppler-utils sox espeak-ng)

log() { echo "[setup] $*" >&2; }

install_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# A display: the caller's when it answers, else our own Xvfb (reused while it lives).
start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local state="$BUILD_DIR/xvfb.display"
    if [ -f "$state" ]; then
        local number pid
        number=$(cat "$state")
        pid=$(cat "/tmp/.X${number}-lock" 2>/dev/null | tr -d ' ')
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
            export DISPLAY=":$number"
            return 0
        fi
    fi
    local number=90
    while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do number=$((number + 1)); done
    log "starting Xvfb on :$number"
    nohup Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >"$BUILD_DIR/xvfb.log" 2>&1 &
    for _ in $(seq 1 100); do
        DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    echo "$number" >"$state"
    export DISPLAY=":$number"
}

make_prefix() {
    [ -f "$WINEPREFIX/.prefix-ready" ] && return 0
    log "creating the Wine prefix in $WINEPREFIX (once)"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 wineboot -i >"$BUILD_DIR/wineboot.log" 2>&1
    timeout 60 wineserver -w
    # Fonts: Debian's Wine does not load its own; the Windows faces map to metric-compatible ones.
    ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    timeout 60 wine regedit /S "$ROOT/scripts/wine/prefix-settings.reg"
    # Serial ports: none of COM1..COM9 may point at a real device (ttyS0 is the console here);
    # the keyboard simulator links the one it serves.
    for n in 1 2 3 4 5 6 7 8 9; do
        timeout 60 wine reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /d /nonexistent/port /f >/dev/null 2>&1
    done
    timeout 60 wineserver -w
    touch "$WINEPREFIX/.prefix-ready"
}

start_wine() {
    # A persistent server makes each Wine start take milliseconds. The port set-up runs at the first
    # process; directories in place of com1..com9 keep it from registering phantom ports.
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    for n in 1 2 3 4 5 6 7 8 9; do
        rm -f "$WINEPREFIX/dosdevices/com$n"
        mkdir -p "$WINEPREFIX/dosdevices/com$n" && touch "$WINEPREFIX/dosdevices/com$n/.keep"
    done
    wineserver -p >/dev/null 2>&1 </dev/null
    timeout 120 wineboot -i >/dev/null 2>&1 || true
    timeout 60 wine cmd /c exit >/dev/null 2>&1 || true
    for n in 1 2 3 4 5 6 7 8 9; do rm -rf "$WINEPREFIX/dosdevices/com$n"; done
}

mkdir -p "$BUILD_DIR"
install_packages
start_display
make_prefix
start_wine
