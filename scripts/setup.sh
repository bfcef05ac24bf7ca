# Sourced by run.sh and test.sh after common.sh and use_build: installs what the builds and the Wine
# runs need, skipping what is there; starts Xvfb when there is no display; then makes (once) and
# starts the Wine prefix of the current build. Every step that fails says what failed and what to
# do, and ends the script with a non-zero status.

PACKAGES=(cmake make python3 googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev
          wine wine64 wine32:i386 xvfb x11-utils x11-apps imagemagick fonts-wine fonts-liberation
          libcups2 libgnutls30 libcups2:i386 libgnutls30:i386 ghostscript poppler-utils sox
          espeak-ng zip unzip locales)

install_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    [ "$(id -u)" -eq 0 ] || die "missing packages: ${missing[*]}" "run this command as root once, or install them with apt-get"
    log "installing: ${missing[*]}"
    local apt_log="$RZ_BUILD_ROOT/apt.log"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386 || die "dpkg could not add the i386 architecture" "run 'dpkg --add-architecture i386' by hand and read its message"
    fi
    apt-get update -qq >"$apt_log" 2>&1 || die "apt-get update failed (log: $apt_log)" "check the network and the package sources, then run the command again"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >>"$apt_log" 2>&1 \
        || die "installing the packages failed (log: $apt_log)" "read the end of the log, mend the cause, run the command again"
}

# Wine takes a locale from LANG only when the machine has it generated: Swedish, which every Wine
# run uses (common.sh), and Greek, under which one test checks our texts on a system whose code page
# is not 1252.
WINE_LOCALES=(sv_SE.UTF-8 el_GR.UTF-8)

generate_locales() {
    local missing=()
    for wanted in "${WINE_LOCALES[@]}"; do
        locale -a 2>/dev/null | grep -qix "${wanted%.UTF-8}.utf8" || missing+=("$wanted")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    [ "$(id -u)" -eq 0 ] || die "missing locales: ${missing[*]}" "run this command as root once, or generate them with locale-gen"
    log "generating the locales ${missing[*]}"
    for wanted in "${missing[@]}"; do
        if grep -q "^# *$wanted UTF-8" /etc/locale.gen 2>/dev/null; then
            sed -i "s/^# *$wanted UTF-8/$wanted UTF-8/" /etc/locale.gen
        elif ! grep -q "^$wanted UTF-8" /etc/locale.gen 2>/dev/null; then
            echo "$wanted UTF-8" >>/etc/locale.gen
        fi
    done
    locale-gen >>"$RZ_BUILD_ROOT/apt.log" 2>&1 || die "locale-gen could not generate ${missing[*]} (log: $RZ_BUILD_ROOT/apt.log)" "read the end of the log"
}

# A display: the caller's when it answers, else our own Xvfb, shared by both builds while it lives.
start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local state="$RZ_BUILD_ROOT/xvfb.display"
    if [ -f "$state" ]; then
        local number pid
        number=$(cat "$state")
        pid=$(cat "/tmp/.X${number}-lock" 2>/dev/null | tr -d ' ' || true)
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
            export DISPLAY=":$number"
            return 0
        fi
    fi
    local number=90
    while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do number=$((number + 1)); done
    log "starting Xvfb on :$number"
    nohup Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >"$RZ_BUILD_ROOT/xvfb.log" 2>&1 &
    for _ in $(seq 1 100); do
        DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 || die "Xvfb did not start on :$number (log: $RZ_BUILD_ROOT/xvfb.log)" "read the log; a stale /tmp/.X${number}-lock can be deleted"
    echo "$number" >"$state"
    export DISPLAY=":$number"
}

make_prefix() {
    [ -f "$WINEPREFIX/.prefix-ready" ] && return 0
    local boot_log="$BUILD_DIR/wineboot.log"
    log "creating the $(describe_build "$RZ_ARCH") Wine prefix in $WINEPREFIX (once)"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 "$WINELOADER" wineboot -i >"$boot_log" 2>&1 \
        || die "wineboot could not create the prefix $WINEPREFIX (log: $boot_log)" "read the log; delete $WINEPREFIX and run the command again"
    timeout 60 "$WINESERVER" -w || true
    # Fonts: Debian's Wine does not load its own; the Windows faces map to metric-compatible ones.
    ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    timeout 60 "$WINELOADER" regedit /S "$ROOT/scripts/wine/prefix-settings.reg" >>"$boot_log" 2>&1 \
        || die "the prefix settings could not be imported (log: $boot_log)" "delete $WINEPREFIX and run the command again"
    # Serial ports: none of COM1..COM9 may point at a real device (ttyS0 is the console here);
    # the keyboard simulator links the one it serves.
    for n in 1 2 3 4 5 6 7 8 9; do
        timeout 60 "$WINELOADER" reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /d /nonexistent/port /f >>"$boot_log" 2>&1 \
            || die "the serial-port settings could not be written (log: $boot_log)" "delete $WINEPREFIX and run the command again"
    done
    timeout 60 "$WINESERVER" -w || true
    touch "$WINEPREFIX/.prefix-ready"
}

start_wine() {
    # A persistent server makes each Wine start take milliseconds. The port set-up runs at the first
    # process; directories in place of com1..com9 keep it from registering phantom ports.
    timeout 30 "$WINESERVER" -k >/dev/null 2>&1 || true
    for n in 1 2 3 4 5 6 7 8 9; do
        rm -rf "$WINEPREFIX/dosdevices/com$n"   # a link, or the directory an interrupted run left
        mkdir -p "$WINEPREFIX/dosdevices/com$n" && touch "$WINEPREFIX/dosdevices/com$n/.keep"
    done
    "$WINESERVER" -p >/dev/null 2>&1 </dev/null || die "the Wine server of $WINEPREFIX did not start" "stop stray Wine processes (wineserver -k) and run the command again"
    timeout 120 "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
    timeout 60 "$WINELOADER" cmd /c exit >/dev/null 2>&1 \
        || die "Wine ($(describe_build "$RZ_ARCH")) could not run a program in $WINEPREFIX" "delete $WINEPREFIX and run the command again"
    for n in 1 2 3 4 5 6 7 8 9; do rm -rf "$WINEPREFIX/dosdevices/com$n"; done
    keep_user_folders_in_prefix
}

# Wine links the user's Desktop, Documents, Music and the like to the account's home folder, so a
# desktop shortcut or a saved file would land outside the prefix. Each link becomes a folder of the
# prefix; Wine makes the links again when it updates a prefix, so this runs at every start.
keep_user_folders_in_prefix() {
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        [ -L "$link" ] || continue
        rm -f "$link" && mkdir -p "$link" \
            || die "the folder $link could not be made inside the prefix" "delete $WINEPREFIX and run the command again"
    done
}

# Installs the packages and starts the display; both builds share them.
prepare_machine() {
    mkdir -p "$RZ_BUILD_ROOT"
    install_packages
    generate_locales
    start_display
}

# Makes and starts the current build's prefix.
prepare_wine() {
    if [ "$RZ_ARCH" = x86 ] && ! can_run_32bit; then
        die "this machine cannot run 32-bit programs, so the 32-bit build cannot run here" "use the 64-bit build (RZ_ARCH=x64)"
    fi
    mkdir -p "$BUILD_DIR"
    make_prefix
    start_wine
}
