# Plays the real glomb.exe under Wine like a person at the screen would:
# moves and clicks the X pointer, types keys, takes screenshots and reads
# the colours at the board's cells. Sourced by the end-to-end tests and by
# the scripts in tools/ that make the README's pictures.
#
# The caller sets ROOT (the source tree), EXE (glomb.exe), PLACE
# (window_place.exe), PREFIX (the Wine prefix) and SHOTS (a folder for
# screenshots), then evaluates the prefix's environment (wine-run.sh --env)
# so that DISPLAY is the prefix's screen.

RUN="$ROOT/tools/wine-run.sh"
GAME_PID=""

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# For the scripts that make the README's pictures: the game and the probe
# from BUILD_DIR (default build/win32), a prefix and a folder of shots of
# their own there, English texts, and the prefix's hidden screen.
picture_session() {
    local build f
    build=$(realpath "${1:-$ROOT/build/win32}")
    EXE=$build/ui/glomb.exe
    PLACE=$build/tests/e2e/window_place.exe
    PREFIX=$build/screenshot-prefix
    SHOTS=$build/screenshot-shots
    trap 'stop_game; "$RUN" "$PREFIX" --stop' EXIT
    for f in "$EXE" "$PLACE"; do
        [ -f "$f" ] || fail "$f is missing; build the win32 preset first"
    done
    mkdir -p "$SHOTS" "$ROOT/docs"
    unset GLOMB_USE_DISPLAY
    export LC_ALL=C.UTF-8 # Wine's user language: English
    eval "$("$RUN" "$PREFIX" --env)"
}

# Ends a game that a failed check left running; only our own process.
stop_game() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null || true
        wait "$GAME_PID" 2>/dev/null || true
    fi
    GAME_PID=""
}

# reg.exe in the registry view of the game under test: 32-bit for the
# i686 build, 64-bit for the x86_64 one.
game_reg() {
    "$RUN" "$PREFIX" reg "$@" "/reg:$("$ROOT/tools/pe-bits.sh" "$EXE")"
}

# An empty settings key, as a fresh installation leaves it.
fresh_settings_key() {
    game_reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 || true
    "$ROOT/tools/make-settings-key.sh" "$PREFIX" "$EXE"
}

# Window geometry in screen pixels: the client area (CX, CY, CW, CH), the
# frame (WL, WT, WR, WB), the cell size and the board's top-left corner.
read_place() {
    local line
    line=$("$RUN" "$PREFIX" "$PLACE" 2>/dev/null | tr -d '\r') || return 1
    read -r CX CY CW CH WL WT WR WB <<<"$line"
    CELL=$(((WR - WL - 30) / 15))
    BX=$((CX + (CW - 15 * CELL) / 2))
    BY=$((CY + (CH - 10 * CELL - 16) / 2))
}

# The open dialog or message box: its client area (DX, DY, DW, DH) and
# its frame (DL, DT, DR, DB).
read_dialog() {
    local line
    line=$("$RUN" "$PREFIX" "$PLACE" dialog 2>/dev/null | tr -d '\r') || return 1
    read -r DX DY DW DH DL DT DR DB <<<"$line"
}

# The open dialog's caption and controls as window_place texts lists them,
# in UTF-8.
dialog_texts() {
    "$RUN" "$PREFIX" "$PLACE" texts 2>/dev/null | tr -d '\r' | iconv -f CP1252 -t UTF-8
}

# Whether the open dialog shows exactly TEXT as its caption or in a
# control; a line break is written \n.
dialog_shows() {
    # Through the environment: awk -v would turn \n into a line break.
    dialog_texts | TEXT=$1 awk -F'\t' '$3 == ENVIRON["TEXT"] { found = 1 } END { exit !found }'
}

# Whether control ID of the open dialog is shown (and, with a second
# argument "checked", checked).
control_is() {
    local state
    state=$(dialog_texts | awk -F'\t' -v id="$1" '$1 == id { print $2 }')
    case $2 in
    shown) [[ $state == shown* ]] ;;
    hidden) [ "$state" = hidden ] ;;
    checked) [[ $state == *,checked ]] ;;
    esac
}

click_control() {
    local x y w h
    read -r x y w h <<<"$("$RUN" "$PREFIX" "$PLACE" control "$1" 2>/dev/null | tr -d '\r')"
    [ -n "$h" ] || fail "the open dialog has no control $1"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}

# Waits up to 10 seconds for a dialog or message box to be open.
wait_for_dialog() {
    local i
    for i in $(seq 50); do
        read_dialog && return 0
        sleep 0.2
    done
    return 1
}

# Waits up to 10 seconds until no dialog or message box is open.
wait_for_no_dialog() {
    local i
    for i in $(seq 50); do
        read_dialog || return 0
        sleep 0.2
    done
    return 1
}

# Starts glomb.exe with the given command line and returns at once.
launch_game() {
    GLOMB_TIMEOUT=120 "$RUN" "$PREFIX" "$EXE" "$@" &
    GAME_PID=$!
}

start_game() {
    launch_game "$@"
    local i
    for i in $(seq 100); do
        if read_place; then
            sleep 0.5 # the first paint
            return 0
        fi
        kill -0 "$GAME_PID" 2>/dev/null || fail "glomb.exe $* ended before showing its window"
        sleep 0.2
    done
    fail "glomb.exe $* showed no window within 20 seconds"
}

# Waits up to 15 seconds for the game to end by itself; its exit code
# goes to GAME_RC.
wait_for_exit() {
    local i
    for i in $(seq 75); do
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the game is still running"
    GAME_RC=0
    wait "$GAME_PID" || GAME_RC=$?
    GAME_PID=""
}

shot() {
    sleep 0.3
    import -window root "$SHOTS/$1.png"
}

cell_x() { echo $((BX + $1 * CELL + CELL / 2)); }
cell_y() { echo $((BY + $2 * CELL + CELL / 2)); }

point_at() { xdotool mousemove "$(cell_x "$1" "$2")" "$(cell_y "$1" "$2")"; }
click_at() { point_at "$1" "$2" && xdotool click 1; }

# The client area's top-left corner lies in the margin: no cell, no preview.
point_at_margin() { xdotool mousemove $((CX + 2)) $((CY + 2)); }

# One line per cell in column order (col 0 rows 0..9, col 1 ...): what a
# player sees at the cell's centre: empty, blue, green or red.
cell_kinds() {
    local format="" col row x y
    for col in $(seq 0 14); do
        for row in $(seq 0 9); do
            x=$(cell_x "$col" "$row") y=$(cell_y "$col" "$row")
            format+="%[fx:int(255*p{$x,$y}.r)] %[fx:int(255*p{$x,$y}.g)] %[fx:int(255*p{$x,$y}.b)]\n"
        done
    done
    convert "$SHOTS/$1.png" -format "$format" info: | while read -r r g b; do
        if [ "$r" -lt 40 ] && [ "$g" -lt 40 ] && [ "$b" -lt 40 ]; then echo empty
        elif [ "$b" -gt "$r" ] && [ "$b" -gt "$g" ]; then echo blue
        elif [ "$g" -gt "$r" ]; then echo green
        else echo red
        fi
    done
}

# The centre colours of every cell, exactly, to see which cells changed.
cell_pixels() {
    local format="" col row
    for col in $(seq 0 14); do
        for row in $(seq 0 9); do
            format+="%[pixel:p{$(cell_x "$col" "$row"),$(cell_y "$col" "$row")}]\n"
        done
    done
    convert "$SHOTS/$1.png" -format "$format" info:
}

changed_cells() {
    diff <(cell_pixels "$1") <(cell_pixels "$2") | grep -c '^>' || true
}

# How many pixels differ between two shots inside a rectangle W H X Y.
differing_pixels() {
    local geometry="$3x$4+$5+$6"
    convert "$SHOTS/$1.png" -crop "$geometry" +repage "$SHOTS/.a.png"
    convert "$SHOTS/$2.png" -crop "$geometry" +repage "$SHOTS/.b.png"
    compare -metric AE "$SHOTS/.a.png" "$SHOTS/.b.png" null: 2>&1 || true
}

board_differs() { differing_pixels "$1" "$2" $((15 * CELL)) $((10 * CELL)) "$BX" "$BY"; }

# Like board_differs, but blind to the open dialog (read_dialog) and a
# border around it wide enough for its frame and caption.
board_differs_beside_dialog() {
    local x0=$((DX - 40)) y0=$((DY - 40)) x1=$((DX + DW + 40)) y1=$((DY + DH + 40)) shot
    for shot in "$1" "$2"; do
        convert "$SHOTS/$shot.png" -fill black -draw "rectangle $x0,$y0 $x1,$y1" \
            "$SHOTS/.masked-$shot.png"
    done
    board_differs ".masked-$1" ".masked-$2"
}
status_differs() { differing_pixels "$1" "$2" $((15 * CELL)) 16 "$BX" $((CY + CH - 18)); }

# A cell of a group of two or more in a shot: "col row", or nothing.
find_group() {
    local -a kind
    mapfile -t kind < <(cell_kinds "$1")
    local col row i
    for col in $(seq 0 14); do
        for row in $(seq 0 9); do
            i=$((col * 10 + row))
            [ "${kind[$i]}" = empty ] && continue
            if { [ "$row" -lt 9 ] && [ "${kind[$i]}" = "${kind[$((i + 1))]}" ]; } ||
                { [ "$col" -lt 14 ] && [ "${kind[$i]}" = "${kind[$((i + 10))]}" ]; }; then
                echo "$col $row"
                return 0
            fi
        done
    done
}

# With the virtual desktop, Wine draws the caption; its close box sits at
# the right end of it.
click_close_box() {
    xdotool mousemove $((WR - 14)) $((WT + 11)) click 1
}

# The main window's menu, a line per entry (window_place menu).
read_menu() {
    "$RUN" "$PREFIX" "$PLACE" menu 2>/dev/null | tr -d '\r' | iconv -f CP1252 -t UTF-8
}

# The titles of the menu bar as a player reads them, with their blanks
# and mnemonic marks: "[  &Game  ][  &?  ]".
menu_titles() {
    read_menu | awk -F'\t' '$1 == 0 { printf "[%s]", $6 }'
}

# Positions in the menus, counting separators: "click_menu 0 2" is the
# third entry of the first drop-down (Game, Undo), in either language.
GAME_MENU=0 HELP_MENU=1
NEW=0 HIGH_SCORES=1 UNDO=2 LANGUAGE=4 EXIT=6
HELP=0 ABOUT=2

# The centre of title TITLE, or with ITEM of that entry of its open
# drop-down; nothing while it cannot be seen.
menu_point() {
    read_menu | awk -F'\t' -v title="$1" -v item="${2:--1}" '
        $1 == 0 { t++; i = 0 }
        t == title + 1 && ($1 == 0 && item < 0 || $1 == 1 && i++ == item) && $4 > $2 {
            print int(($2 + $4) / 2), int(($3 + $5) / 2)
        }'
}

# Clicks a menu title and then an entry of its drop-down.
click_menu() {
    local x y i
    read -r x y <<<"$(menu_point "$1")"
    [ -n "$y" ] || fail "menu title $1 is not on the menu bar"
    xdotool mousemove "$x" "$y" click 1
    for i in $(seq 25); do
        read -r x y <<<"$(menu_point "$1" "$2")"
        [ -n "$y" ] && break
        sleep 0.2
    done
    [ -n "$y" ] || fail "clicking menu title $1 opened no drop-down with an entry $2"
    xdotool mousemove "$x" "$y" click 1
}

SETTINGS_KEY='HKLM\Software\Kesti Glomb'

remove_settings_key() {
    game_reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 || true
}

settings_key_exists() {
    game_reg query "$SETTINGS_KEY" >/dev/null 2>&1
}

# The values under the settings key, a line each: name, type, data.
registry_values() {
    game_reg query "$SETTINGS_KEY" 2>/dev/null | tr -d '\r' |
        sed -n 's/^    \([^ ]*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1 \2 \3/p' | sort
}

registry_value() {
    registry_values | awk -v name="$1" '$1 == name { sub(/^[^ ]* [^ ]* /, ""); print }'
}

# Fills the high-score table in the registry: "NAME:SCORE" for entries
# 1, 2, ... in that order.
store_table() {
    local i=0 entry
    for entry in "$@"; do
        i=$((i + 1))
        game_reg add "$SETTINGS_KEY" /v "_${i}n" /t REG_SZ /d "${entry%%:*}" /f >/dev/null
        game_reg add "$SETTINGS_KEY" /v "_${i}s" /t REG_DWORD /d "${entry##*:}" /f >/dev/null
    done
}

# Ends the game through its close box and expects exit code 0.
close_game() {
    read_place || fail "the game has no window to close"
    click_close_box
    wait_for_exit
    [ "$GAME_RC" -eq 0 ] || fail "the game ended with exit code $GAME_RC after the close box"
}
