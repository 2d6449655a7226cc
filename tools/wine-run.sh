#!/bin/bash
# Runs Windows programs under Wine in a prefix of the project's own.
#
#   wine-run.sh PREFIX PROGRAM [ARGS...]  run PROGRAM, return its exit code
#   wine-run.sh PREFIX --setup            make the prefix, start Xvfb and a
#                                         persistent wineserver
#   wine-run.sh PREFIX --stop             stop that wineserver and Xvfb
#   wine-run.sh PREFIX --env              print the environment, for eval
#
# The prefix lives in the build tree, never in ~/.wine. Tests get an Xvfb
# screen of their own (1024x768, 24 bits) unless GLOMB_USE_DISPLAY=1 asks
# for the caller's display. A persistent wineserver makes every later
# Wine process start in a fraction of a second instead of seconds.
# GLOMB_DLL_OVERRIDES adds a test's own DLL overrides to the runner's.
#
# Where this machine runs 32-bit x86 code, Debian's wine runs both the
# i686 and the x86_64 programs. Where it does not, its 32-bit loader
# fails with "Exec format error" even when it is installed, so wine64
# runs the x86_64 build instead.
set -eu

if [ $# -lt 2 ]; then
    echo "usage: $0 PREFIX PROGRAM [ARGS...] | --setup | --stop | --env" >&2
    exit 2
fi
PREFIX=$(realpath -m "$1")
shift

export WINEPREFIX="$PREFIX"
export WINEDEBUG=-all
# Never offer Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml=${GLOMB_DLL_OVERRIDES:+;$GLOMB_DLL_OVERRIDES}"
STATE="$PREFIX.state" # "display xvfb-pid" of our screen
TOOLS=$(cd "$(dirname "$0")" && pwd)

if ! { [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; }; then
    export PATH="$TOOLS/wine64:$PATH"
fi

mkdir -p "$(dirname "$PREFIX")"

# Xvfb picks a free display itself and names it once it accepts
# connections, so two build trees starting screens at once never race
# for the same number. It never resets when its last client leaves, as a
# desktop's screen never does: a program started during a reset would
# find no display.
start_xvfb() {
    local ready="$PREFIX.display" n="" pid
    rm -f "$ready"
    # Not holding the prefix lock (9): the screen outlives this script.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$ready" >/dev/null 2>&1 9>&- &
    pid=$!
    for _ in $(seq 200); do
        read -r n 2>/dev/null <"$ready" && [ -n "$n" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$ready"
    if [ -z "$n" ]; then
        echo "wine-run: could not start Xvfb" >&2
        return 1
    fi
    echo ":$n $pid" >"$STATE"
}

use_display() {
    if [ "${GLOMB_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
        return 0
    fi
    local display="" pid=""
    [ -f "$STATE" ] && read -r display pid <"$STATE"
    if [ -z "$pid" ] || ! kill -0 "$pid" 2>/dev/null; then
        start_xvfb
        read -r display pid <"$STATE"
    fi
    export DISPLAY="$display"
}

# Settings that keep a headless run from hanging or drifting: no crash
# dialog (a crash exits non-zero instead), a virtual desktop that draws
# captions and menus yet keeps exit codes, Times New Roman by name, and
# Wine's own fonts.
write_prefix_settings() {
    link_wine_fonts
    local reg="$PREFIX/glomb-test-settings.reg"
    cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Times New Roman"="Liberation Serif"
REG
    wine regedit /s "$reg"
}

# Debian's Wine looks for its own fonts (MS Sans Serif, Tahoma, and
# Marlett, which draws the caption's close box) beside its data folder
# instead of in it; without them the close box shows a plain "r". Every
# Wine finds fonts in the prefix's Fonts folder.
link_wine_fonts() {
    local dir=/usr/share/wine/fonts
    if [ -d "$dir" ]; then
        ln -sf "$dir"/* "$PREFIX/drive_c/windows/Fonts/"
    fi
}

# Wine's background services (services.exe, rpcss, ...) inherit the
# output of whichever process starts them and outlive it. Starting them
# here, with their output on /dev/null, keeps them from holding a test's
# output pipe open, which would make CTest wait for ever.
setup() {
    use_display
    if wineserver -p 2>/dev/null || [ ! -f "$PREFIX.services" ]; then
        if [ ! -f "$PREFIX/.glomb-ready" ]; then
            wine wineboot -i >/dev/null 2>&1
            write_prefix_settings >/dev/null 2>&1
            # The desktop that wineboot opened is not the virtual one: a
            # new server opens that from the settings just written.
            wineserver -k 2>/dev/null || true
            wineserver -p 2>/dev/null || true
            wine wineboot >/dev/null 2>&1
            touch "$PREFIX/.glomb-ready"
        else
            wine wineboot >/dev/null 2>&1
        fi
        touch "$PREFIX.services"
    fi
}

# Several tests may start at once: only one of them makes the prefix.
# The lock goes with this script, also when the setup fails, whatever it
# started that is still running.
locked() {
    exec 9>"$PREFIX.lock"
    flock 9
    trap 'flock -u 9' EXIT
    "$@"
    flock -u 9
    trap - EXIT
}

case "$1" in
--setup)
    locked setup
    ;;
--stop)
    wineserver -k 2>/dev/null || true
    rm -f "$PREFIX.services"
    if [ -f "$STATE" ]; then
        read -r _ pid <"$STATE"
        kill "$pid" 2>/dev/null || true
        rm -f "$STATE"
    fi
    ;;
--env)
    locked setup
    echo "export WINEPREFIX='$WINEPREFIX' WINEDEBUG='$WINEDEBUG'" \
        "WINEDLLOVERRIDES='$WINEDLLOVERRIDES' DISPLAY='$DISPLAY' PATH='$PATH'"
    ;;
*)
    # A program that was never built is the build's fault: say so rather
    # than let Wine fail with a status code.
    case "$1" in
    *.exe)
        if [ ! -f "$1" ]; then
            echo "wine-run: $1 was not built; build its tree before testing it" >&2
            exit 1
        fi
        ;;
    esac
    locked setup
    exec timeout --kill-after=5 "${GLOMB_TIMEOUT:-240}" wine "$@"
    ;;
esac
