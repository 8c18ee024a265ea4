# Sourced by run.sh and test.sh: a display (Xvfb when there is none) and the
# project's Wine prefix, set up once.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Some hosts cannot run 32-bit Linux programs, and so no 32-bit Wine. There
# the tests and run.sh take a 64-bit build of the same sources (build/win64)
# under 64-bit Wine; the release is the 32-bit build all the same.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    export ZELBRIN_ARCH=win32 WINELOADER=/usr/lib/wine/wine WINEPREFIX="$repo_root/build/wineprefix"
else
    export ZELBRIN_ARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINEPREFIX="$repo_root/build/wineprefix64"
    export WINEARCH=win64
fi
wine() { "$WINELOADER" "$@"; }

# Builds what this host's Wine runs where that is not the 32-bit release
# build, which the callers build anyway.
build_for_wine() {
    if [ "$ZELBRIN_ARCH" = win64 ]; then
        echo "this host runs no 32-bit programs: Wine runs a 64-bit build of the same sources" >&2
        bash "$repo_root/scripts/build.sh" win64 "$@"
    fi
}
# Wine and the sound server want a home folder even where none is set.
export HOME="${HOME:-$repo_root/build/home}"
mkdir -p "$HOME"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8

xvfb_pid=""

display_works() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# Starts Xvfb on the first free display from number $1 on; leaves its name
# in started_display and its process in started_pid.
start_xvfb() {
    local n=$1
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    started_pid=$!
    started_display=":$n"
    for _ in $(seq 1 100); do
        DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on :$n" >&2
    return 1
}

# Starts Xvfb unless a working display is set.
ensure_display() {
    if display_works; then
        return 0
    fi
    start_xvfb 90
    xvfb_pid=$started_pid
    export DISPLAY=$started_display
}

stop_display() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}

# An English Windows and a Chinese one are two machines: the runs under code
# page 1252 have a prefix of their own, made in English (scripts/wine-run.sh
# picks it). Each line: the prefix, its language, and the fonts from Debian's
# fonts-wine that this Wine finds only in the prefix's own font folder. The
# title bars' buttons are glyphs of Marlett. An English Windows's "System"
# is a bitmap font of Latin letters alone (vgasys.fon); without it Wine would
# link Chinese into "System", as no Windows does.
prefixes() {
    echo "$WINEPREFIX zh_CN.UTF-8 marlett.ttf"
    echo "$WINEPREFIX-en en_US.UTF-8 marlett.ttf vgasys.fon"
}

# A wineserver left from a run without this display breaks the next run, so
# every run starts its own and ends it.
stop_wineserver() {
    local prefix lang fonts
    while read -r prefix lang fonts; do
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
        WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
    done < <(prefixes)
}

make_prefix() {
    local prefix=$1 lang=$2 fonts=$3
    # The stamp names the set-up below; a changed set-up makes a new prefix.
    local stamp="$prefix/.zelbrin-prefix-6"
    [ -f "$stamp" ] && return 0
    export WINEPREFIX=$prefix LANG=$lang LC_ALL=$lang
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1 || true
    for font in $fonts; do
        cp "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    done
    # Without a window manager every hide waits about 2 s unless windows
    # are unmanaged; a crash must fail fast rather than wait on a dialog.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine regedit "$(wine winepath -w "$repo_root/scripts/wine-fonts.reg")" >/dev/null 2>&1
    wineserver -w || true
    touch "$stamp"
}

ensure_prefix() {
    stop_wineserver
    local prefix lang fonts
    while read -r prefix lang fonts; do
        (make_prefix "$prefix" "$lang" "$fonts")
    done < <(prefixes)
}

# Starts each prefix's wineserver and its desktop process once, before tests
# run side by side: two Wine processes that start both at once otherwise
# wait on each other.
start_wine() {
    local prefix lang fonts
    while read -r prefix lang fonts; do
        WINEPREFIX=$prefix wineserver -p
        WINEPREFIX=$prefix LANG=$lang LC_ALL=$lang wine cmd.exe /c exit >/dev/null 2>&1 || true
    done < <(prefixes)
}

# Ends whatever of the above this script started; for trap ... EXIT.
stop_session() {
    stop_wineserver
    stop_display
}
