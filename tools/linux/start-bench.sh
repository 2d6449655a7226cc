#!/bin/bash
# How long a Linux player waits for the game's window, from the click
# (the launcher started) until the window of glomb.exe is mapped:
#
#   start-bench.sh GLOMB_EXE EMPTY_WINDOW_EXE [REPORT]    (make bench)
#
# Glomb is installed as the package installs it, into a throw-away root
# whose /var/lib gets the prefix that new players copy. Each round, in
# turn so that a busy machine slows all three alike: a new player's first
# start; a later start of that player with Wine's server down, as after a
# login; and EMPTY_WINDOW_EXE, an empty Win32 window, started by the same
# Wine in the same prefix, which is Wine's own floor. Prints the median
# of each (of ROUNDS rounds, 7 unless set) and their ratios, and adds
# them to REPORT when given.
set -eu

if [ $# -lt 2 ]; then
    echo "usage: $0 GLOMB_EXE EMPTY_WINDOW_EXE [REPORT]" >&2
    exit 2
fi
GAME=$(realpath "$1")
EMPTY=$(realpath "$2")
REPORT=${3:-/dev/null}
ROUNDS=${ROUNDS:-7}
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
for f in "$GAME" "$EMPTY"; do
    [ -f "$f" ] || { echo "start-bench: $f is missing" >&2; exit 1; }
done

# A screen of its own, which never resets (see the Linux tests).
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/display" >/dev/null 2>&1 &
XVFB=$!
cleanup() {
    set +e
    for home in "$WORK"/player*; do
        WINEPREFIX="$home/.local/share/glomb/wine64" timeout 30 wineserver -k 2>/dev/null
    done
    kill "$XVFB" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
DISPLAY=":$(cat "$WORK/display")"
export DISPLAY
unset XDG_DATA_HOME WINE WINEPREFIX

echo "installing into a throw-away root, with the prefix for new players ..." >&2
PREFIX="$WORK/root/usr" BINDIR=games "$HERE/install.sh" install "$GAME" >"$WORK/install.log"
LAUNCHER="$WORK/root/usr/games/glomb"
# A player's first start comes a while after the installation, once the
# file system has settled the gigabyte that slimming the template freed.
sync
sleep 5
[ -L "$WORK/root/var/lib/glomb/wine64" ] || {
    cat "$WORK/install.log" >&2
    echo "start-bench: no prefix for new players was made" >&2
    exit 1
}

# seconds CLASS COMMAND...: from starting COMMAND until a window of the X
# class CLASS is mapped; then Wine's server in WINEPREFIX is stopped, and
# waited for, so that nothing of Wine runs at the next start.
seconds() {
    local class=$1 start pid
    shift
    start=$EPOCHREALTIME
    "$@" >>"$WORK/starts.log" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --class "$class" >/dev/null 2>&1; do
        kill -0 $pid 2>/dev/null || { echo "start-bench: $* ended without a window" >&2; exit 1; }
        sleep 0.01
    done
    echo "$EPOCHREALTIME - $start" | bc
    timeout 30 wineserver -k
    timeout 30 wineserver -w
    wait $pid || true
}

echo "$ROUNDS rounds of three starts ..." >&2
for round in $(seq "$ROUNDS"); do
    export HOME="$WORK/player$round"
    export WINEPREFIX="$HOME/.local/share/glomb/wine64"
    mkdir -p "$HOME"
    seconds '^glomb[.]exe$' "$LAUNCHER" >>"$WORK/first"
    seconds '^glomb[.]exe$' "$LAUNCHER" >>"$WORK/later"
    # As the launcher runs Wine.
    USER=glomb WINELOADER=/usr/lib/wine/wine64 WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=" \
        seconds '^empty_window[.]exe$' /usr/lib/wine/wine64 "$EMPTY" >>"$WORK/empty"
done

median() { sort -g "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
range() { sort -g "$1" | awk 'NR == 1 { a = $1 } { b = $1 } END { printf "%.2f-%.2f s", a, b }'; }
first=$(median "$WORK/first")
later=$(median "$WORK/later")
empty=$(median "$WORK/empty")
row() { # row NAME FILE MEDIAN RATIO
    printf '  %-50s %9.2f s %12s %8.2f\n' "$1" "$3" "$(range "$2")" "$4"
}
{
    echo
    printf '%-52s %12s %12s %8s\n' "Linux start until the game's window is mapped (median of $ROUNDS)" \
        "time" "range" "ratio"
    row "a new player's first start, from the package's prefix" "$WORK/first" "$first" \
        "$(echo "$first / $later" | bc -l)"
    row "a later start, Wine's server down" "$WORK/later" "$later" "$(echo "$later / $empty" | bc -l)"
    row "an empty Win32 window, same Wine and prefix" "$WORK/empty" "$empty" 1
    echo "  (ratios: the first start to a later one, a later one to the empty window)"
} | tee -a "$REPORT"
