# Sourced by every script: the project's folders, the two builds and the Wine of each.
#   RZ_ARCH=x64 | x86    which build a script works on (x64: 64-bit, x86: 32-bit)
#   RZ_NO_32BIT=1        act as if this machine could not run 32-bit programs
#   RZ_JOBS=N            compile jobs at a time (default: every core)
#   RZ_BUILD_ROOT        where the builds live (default: build/ in the checkout); each build has
#                        its own folder (build/x64, build/x86) holding its Wine prefix (…/wine)

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RZ_BUILD_ROOT="${RZ_BUILD_ROOT:-$ROOT/build}"
export ROOT RZ_BUILD_ROOT
export WINEDEBUG="${WINEDEBUG:--all}"

# Wine runs in Swedish, as our users' Windows does: it takes its user locale and code page from LANG,
# so its file dialogs, system menu and message-box buttons are Swedish and its sorting puts å, ä, ö
# after z. RZ_WINE_LANG names another locale for a run (a test of another system code page).
RZ_WINE_LANG="${RZ_WINE_LANG:-sv_SE.UTF-8}"
export RZ_WINE_LANG
unset LC_ALL
export LANG="$RZ_WINE_LANG" 2>/dev/null

WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

log() { echo "[setup] $*" >&2; }

# Says what failed and what to do, and ends the script with a non-zero status.
die() {
    echo "[setup] FAILED: $1" >&2
    [ -n "${2:-}" ] && echo "[setup] what to do: $2" >&2
    exit 1
}

# True when this machine runs 32-bit Linux programs: found out by running Wine's 32-bit loader.
# Some kernels refuse them ("Exec format error"); the architecture's name does not tell.
can_run_32bit() {
    [ -n "${RZ_NO_32BIT:-}" ] && return 1
    [ -x "$WINE32_LOADER" ] && "$WINE32_LOADER" --version >/dev/null 2>&1
}

# The width of a Windows program from its PE header: x64, x86, or nothing when it is not one.
pe_arch() {
    [ -f "$1" ] || return 0
    local offset machine
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] || return 0
    machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    case "$machine" in 8664) echo x64 ;; 014c) echo x86 ;; esac
}

# Sets BUILD_DIR, WINEPREFIX, WINEARCH, WINELOADER and TOOLCHAIN_FILE for one build.
use_build() {
    RZ_ARCH="$1"
    case "$RZ_ARCH" in
        x64) WINEARCH=win64; WINELOADER="$WINE64_LOADER"; TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" ;;
        x86) WINEARCH=win32; WINELOADER="$WINE32_LOADER"; TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" ;;
        *) die "unknown build '$RZ_ARCH'" "set RZ_ARCH to x64 or x86" ;;
    esac
    BUILD_DIR="$RZ_BUILD_ROOT/$RZ_ARCH"
    WINEPREFIX="$BUILD_DIR/wine"
    # Wine's recycle bin is the freedesktop one under XDG_DATA_HOME: inside the prefix, a deletion
    # by the programs or the tests never reaches the account's own bin.
    XDG_DATA_HOME="$WINEPREFIX/xdg-data"
    export RZ_ARCH BUILD_DIR WINEPREFIX WINEARCH WINELOADER TOOLCHAIN_FILE XDG_DATA_HOME
}

describe_build() {
    case "$1" in x64) echo "64-bit (x64)" ;; x86) echo "32-bit (x86)" ;; esac
}

# Wine of the current build is "$WINELOADER": the Debian wrapper would take the 32-bit loader
# wherever it is installed, even where it cannot run, so the loader is called directly.
# One server serves both widths: the 64-bit one, which runs on every machine. It is named here
# before setup has installed Wine, so it must not depend on what is installed yet (on a fresh
# machine the test would pick the 32-bit server, which some kernels cannot start).
WINESERVER=/usr/lib/wine/wineserver64
export WINESERVER
