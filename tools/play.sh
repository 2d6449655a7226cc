#!/bin/bash
# Starts the game on your screen (make play; make play ARGS=-2).
#
#   tools/play.sh [ARGS...]     ARGS go to glomb.exe as its command line
#
# The game runs under Wine in a prefix of its own, build/ARCH/play-prefix,
# never in ~/.wine; ARCH is win32, or win64 where this machine runs no
# 32-bit code (tools/windows-arch.sh; GLOMB_ARCH forces it). The settings
# key that an installation would create is made there first, so high
# scores and the language persist between games.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
ARCH=$("$ROOT/tools/windows-arch.sh")
EXE=${GLOMB_EXE:-$ROOT/build/$ARCH/ui/glomb.exe}
PREFIX=${GLOMB_PLAY_PREFIX:-$ROOT/build/$ARCH/play-prefix}
RUN="$ROOT/tools/wine-run.sh"

if [ -z "${DISPLAY:-}" ]; then
    cat >&2 <<'MSG'
play: there is no X display to show the game on (DISPLAY is not set).
  - From a desktop session, run `make play` in a terminal of that session.
  - Over ssh, connect with `ssh -X` (or -Y) so that DISPLAY is forwarded.
  - Without any screen, give it a virtual one:
        xvfb-run -s '-screen 0 1024x768x24' make play
    (nobody will see the game, but it runs).
MSG
    exit 1
fi
if [ ! -f "$EXE" ]; then
    echo "play: $EXE is missing; build it with 'make $ARCH'" >&2
    exit 1
fi
if [ "$("$ROOT/tools/pe-bits.sh" "$EXE")" = 32 ] && ! "$ROOT/tools/runs-i386.sh"; then
    echo "play: $EXE is 32-bit x86 code, which this machine cannot run; play the x86_64 build with 'GLOMB_ARCH=win64 make play'" >&2
    exit 1
fi

export GLOMB_USE_DISPLAY=1 # the player's display, not a hidden one
export GLOMB_TIMEOUT=0     # play as long as you like
"$RUN" "$PREFIX" --setup
# On a real screen the game is an ordinary window that your window manager
# frames, not a window inside a 1024x768 Wine desktop. The prefix's Wine
# session reads this at its start, hence the restart.
EXPLORER='HKCU\Software\Wine\Explorer'
if "$RUN" "$PREFIX" reg query "$EXPLORER" /v Desktop >/dev/null 2>&1; then
    "$RUN" "$PREFIX" reg delete "$EXPLORER" /v Desktop /f >/dev/null
    "$RUN" "$PREFIX" --stop
    "$RUN" "$PREFIX" --setup
fi
"$ROOT/tools/make-settings-key.sh" "$PREFIX" "$EXE"

rc=0
"$RUN" "$PREFIX" "$EXE" "$@" || rc=$?
"$RUN" "$PREFIX" --stop # the prefix's wineserver, nothing else
exit "$rc"
