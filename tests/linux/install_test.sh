#!/bin/bash
# Installs Glomb the Linux way into a throw-away PREFIX for a throw-away
# HOME, on a screen of its own, and uses it as a player would: the menu
# entry and a `glomb -1` started at once on the first start, a game that
# enters the high-score table, a reinstall and a second start that still
# has the score, then an uninstall that keeps it.
#
#   install_test.sh SOURCE_DIR GLOMB_EXE WORK_DIR
set -uo pipefail

src=$1 exe=$(realpath "$2") work=$(realpath -m "$3")
id=org.example.Glomb
prefix="$work/prefix"
rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home"
unset XDG_DATA_HOME # so the launcher's default, ~/.local/share, is used
export WINEPREFIX="$HOME/.local/share/glomb/prefix" WINEDEBUG=-all
entry="$prefix/share/applications/$id.desktop"
log="$work/games.log"

failed=0
check() { # check DESCRIPTION COMMAND...
    if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else echo "FAIL: $1"; failed=1; fi
}
wait_for() { # up to 90 s: a fresh prefix takes a while on a busy machine
    for _ in $(seq 450); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
    return 1
}
install_as() { PREFIX="$prefix" "$src/tools/linux/install.sh" "$@"; }
files_under() { (cd "$1" 2>/dev/null && find . -type f | sort); }

# A screen of our own: Xvfb picks a free display and tells which.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
wait_for test -s "$work/display"
DISPLAY=":$(cat "$work/display")"
export DISPLAY
trap 'timeout 30 wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null' EXIT

DESTDIR="$work/stage" install_as install "$exe" >/dev/null
install_as install "$exe" >"$work/install.log"
check "a DESTDIR installation holds the same files" \
    diff <(files_under "$work/stage$prefix") <(files_under "$prefix")
check "the installation says where the launcher went" grep -q "$prefix/bin/glomb" "$work/install.log"
check "the desktop entry validates" desktop-file-validate "$entry"
check "the AppStream data validates" \
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
check "the icons are 16 and 32 pixels square" test "$(identify -format '%w,%h ' \
    "$prefix/share/icons/hicolor/16x16/apps/$id.png" "$prefix/share/icons/hicolor/32x32/apps/$id.png")" = "16,16 32,32 "

refuses() { # refuses WORD ENV-ARGS...: the launcher fails, saying WORD
    local out
    out=$(env "${@:2}" "$prefix/bin/glomb" 2>&1) && return 1
    grep -q "$1" <<<"$out"
}
check "without Wine the launcher says it is missing" refuses Wine WINE=/nonexistent/wine
check "without a display the launcher says so" refuses display -u DISPLAY

# The game's visible top-level windows (main window and dialogs).
windows() { xdotool search --onlyvisible --classname '^glomb\.exe$' 2>/dev/null; }
two_windows() { [ "$(windows | wc -l)" -ge 2 ]; }
one_window() { [ "$(windows | wc -l)" -eq 1 ]; }
game_is_gone() { ! kill -0 "$1" 2>/dev/null; }
reg_value() { timeout 30 wine reg query 'HKLM\Software\Kesti Glomb' /v "$1" /reg:32 | tr -d '\r'; }
has_score() { reg_value _1n | grep -q 'REG_SZ *Ada$' && reg_value _1s | grep -q 'REG_DWORD *0x5978$'; }

# Clicks at X Y inside window W, raised above the others first (there is
# no window manager to raise it).
click_in() {
    xdotool windowraise "$1" mousemove --window "$1" "$2" "$3" click 1
}
# Closes window W as a player would: a click on its status line activates
# it, then Alt+F4.
close_window() {
    local height
    height=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\)/\1/p')
    click_in "$1" 20 $((height - 8))
    xdotool key alt+F4
}

# First start, twice at once: the menu entry, run by GLib as a desktop
# runs it, and a one-colour game; only one of them may make the prefix.
gio launch "$entry" >>"$log" 2>&1
"$prefix/bin/glomb" -1 >>"$log" 2>&1 &
game=$!
check "the entry's Exec line and glomb -1 both open the game on the first start" wait_for two_windows
import -window root "$work/first-start.png"
mine=$(xdotool search --onlyvisible --pid "$game" 2>/dev/null | head -1)
from_menu=$(windows | grep -vx "${mine:-none}" | head -1)
class=$(xprop -id "$from_menu" WM_CLASS 2>/dev/null | sed -n 's/.*", "\(.*\)"$/\1/p')
check "the window is a window of its own whose class is the entry's StartupWMClass" \
    grep -qx "StartupWMClass=$class" "$entry"
close_window "$from_menu"
check "Alt+F4 closes it" wait_for one_window
check "the prefix lives in ~/.local/share/glomb" test -d "$WINEPREFIX/drive_c"
check "only one of the two made it" test "$(grep -c 'preparing Wine' "$log")" -eq 1

# One colour: a single click empties the board, (150 - 2)^2 + 1000 points.
click_in "$mine" 300 200
check "the game asks for a name" wait_for two_windows
import -window root "$work/name.png"
xdotool type Ada
xdotool key Return
check "the score is stored" wait_for has_score
close_window "$mine"
wait_for game_is_gone "$game"
wait "$game"
check "the game ends by Alt+F4 and the launcher passes on its exit code 0" test $? -eq 0
timeout 30 wineserver -w # the registry is on disk

install_as install "$exe" >/dev/null
"$prefix/bin/glomb" >>"$log" 2>&1 &
game=$!
check "after a reinstall the game starts again" wait_for windows
check "and the score is still there" has_score
close_window "$(windows | head -1)"
wait_for game_is_gone "$game"
timeout 30 wineserver -w

install_as uninstall >"$work/uninstall.log"
check "uninstalling removes every installed file" test -z "$(files_under "$prefix")"
check "uninstalling keeps the scores" grep -q '"_1s"=dword:00005978' "$WINEPREFIX/system.reg"
check "and says where they are" grep -q "$HOME/.local/share/glomb" "$work/uninstall.log"

# A Wine prefix takes more than a gigabyte; keep it only to look into a failure.
[ $failed -eq 0 ] && rm -rf "$HOME"
exit $failed
