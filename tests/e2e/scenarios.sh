#!/bin/bash
# Acceptance scenarios: the real game played through the X pointer and
# keyboard, each from a fresh start (a new empty settings key, no game
# running), each leaving screenshots of its steps for a person to look at:
#
#   scenarios.sh GLOMB_EXE WINDOW_PLACE_EXE PREFIX SHOTS_DIR SCENARIO...
#
# Screenshots land in SHOTS_DIR/SCENARIO/; "failed.png" there is the
# screen at the moment a check failed.
set -euo pipefail

EXE=$1 PLACE=$2 PREFIX=$3 SHOTS_ROOT=$4
shift 4
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/tests/e2e/player.sh"

# Wine takes the user's language from LC_ALL, even for a locale that this
# machine has not installed. English unless a scenario says otherwise.
export LC_ALL=C.UTF-8

on_exit() {
    local rc=$?
    if [ "$rc" -ne 0 ] && [ -n "${SHOTS:-}" ]; then
        import -window root "$SHOTS/failed.png" 2>/dev/null || true
    fi
    stop_game
    GAME_PID=${OTHER_PID:-} stop_game
}
trap on_exit EXIT

fresh_start() {
    stop_game
    read_place && fail "a game from before is still open"
    read_dialog && fail "a window from before is still open"
    fresh_settings_key
}

# A shot with the pointer off the board: no highlight, no preview numbers.
fresh_shot() {
    point_at_margin
    shot "$1"
}

# Rows of the high-score dialog that differ between two shots of it
# (read_dialog must describe it): "1" when only the first row changed.
changed_score_rows() {
    local step=$(((DH - 145) / 4 + 18)) k rows=""
    for k in 0 1 2 3 4; do
        [ "$(differing_pixels "$1" "$2" $((DW - 20)) 18 $((DX + 10)) $((DY + 5 + k * step)))" -gt 0 ] &&
            rows+="$((k + 1)) "
    done
    echo "${rows% }"
}

scenario_no_key() {
    remove_settings_key
    launch_game
    wait_for_dialog || fail "no message appeared although the settings key is missing"
    shot message
    dialog_shows Glomb || fail "the installation message has not the caption Glomb"
    dialog_shows "- The application is not installed properly, repeat the installation.\n\n- L'applicazione non è installata correttamente, ripetere l'installazione." ||
        fail "the installation message does not say so in both languages: $(dialog_texts)"
    read_place && fail "the main window opened although the settings key is missing"
    xdotool key Return
    wait_for_exit
    [ "$GAME_RC" -eq 0 ] || fail "exit code $GAME_RC after the installation message"
    settings_key_exists && fail "the game created the settings key itself"
    return 0
}

scenario_empty_key() {
    local locale title lang i expected
    for locale in C.UTF-8 it_IT.UTF-8; do
        case $locale in
        C.UTF-8) title="[  &Game  ][  &?  ]" lang=0x1 ;;
        *) title="[  &Partita  ][  &?  ]" lang=0x0 ;;
        esac
        fresh_settings_key
        # bash warns that the locale is not installed; Wine reads it anyway.
        LC_ALL=$locale start_game 2> >(grep -v 'setlocale: LC_ALL' >&2)
        shot "first-start-$locale"
        [ "$(menu_titles)" = "$title" ] ||
            fail "for a user language of $locale the menu bar reads $(menu_titles)"
        expected=$(for i in 1 2 3 4 5; do
            echo "_${i}n REG_SZ "
            echo "_${i}s REG_DWORD 0x0"
        done
            echo "Lang REG_DWORD $lang")
        [ "$(registry_values)" = "$(sort <<<"$expected")" ] ||
            fail "for $locale the first start left these values under the key:" \
                "$(registry_values)"
        close_game
    done
}

scenario_high_score() {
    start_game -1
    click_menu $GAME_MENU $HIGH_SCORES
    wait_for_dialog || fail "Game > High scores opened nothing"
    shot table-before
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the high-score dialog"

    click_at 7 5
    wait_for_dialog || fail "clearing the board asked for no name"
    shot name-dialog
    dialog_shows "Insert your name!" || fail "the name dialog does not ask for a name"
    xdotool type "Ada Lovelace"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the name dialog"
    [ "$(registry_value _1n)" = "Ada Lovelace" ] || fail "the registry holds no name in first place"
    # 150 balls in one move, and the bonus for the empty board.
    [ "$(registry_value _1s)" = "0x$(printf %x $((148 * 148 + 1000)))" ] ||
        fail "the registry holds $(registry_value _1s) as the best score, not 22904"

    click_menu $GAME_MENU $HIGH_SCORES
    wait_for_dialog || fail "Game > High scores opened nothing after the game"
    shot table-after
    [ "$(changed_score_rows table-before table-after)" = 1 ] ||
        fail "the high-score dialog shows no new first row, or changed others too"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the high-score dialog"

    # A second player in the same run types over the name offered.
    click_menu $GAME_MENU $NEW
    click_at 7 5
    wait_for_dialog || fail "clearing the board again asked for no name"
    shot second-name-dialog
    xdotool type Bob
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the second name dialog"
    [ "$(registry_value _1n)/$(registry_value _2n)" = "Ada Lovelace/Bob" ] ||
        fail "after a second game the table holds $(registry_value _1n)/$(registry_value _2n)"
    close_game
}

# The first group of two or more in a shot, in column order, and its size
# as a player counts it: "col row size", or nothing.
first_group() {
    local -a kind todo=()
    local -A seen=()
    mapfile -t kind < <(cell_kinds "$1")
    local i start size=0
    for start in $(seq 0 149); do
        [ "${kind[$start]}" = empty ] && continue
        if { [ $((start % 10)) -lt 9 ] && [ "${kind[$start]}" = "${kind[$((start + 1))]}" ]; } ||
            { [ "$start" -lt 140 ] && [ "${kind[$start]}" = "${kind[$((start + 10))]}" ]; }; then
            todo=("$start")
            break
        fi
    done
    [ ${#todo[@]} -gt 0 ] || return 0
    while [ ${#todo[@]} -gt 0 ]; do
        i=${todo[-1]}
        unset 'todo[-1]'
        [ -z "${seen[$i]:-}" ] && [ "${kind[$i]}" = "${kind[$start]}" ] || continue
        seen[$i]=1 size=$((size + 1))
        [ $((i % 10)) -gt 0 ] && todo+=($((i - 1)))
        [ $((i % 10)) -lt 9 ] && todo+=($((i + 1)))
        [ "$i" -ge 10 ] && todo+=($((i - 10)))
        [ "$i" -lt 140 ] && todo+=($((i + 10)))
    done
    echo "$((start / 10)) $((start % 10)) $size"
}

# Plays the first group until none is left, adding up the score; shots
# are named GAME-move-N. Succeeds when the game ended with balls left and
# its message open, fails when the board was cleared.
SCORE=0
play_until_the_end() {
    local move=0 col="" row size=0 balls
    SCORE=0
    while :; do
        fresh_shot "$1-move-$((move + 1))"
        read_dialog && break
        move=$((move + 1))
        read -r col row size <<<"$(first_group "$1-move-$move")"
        [ -n "$col" ] || fail "no group is left on the board, yet the game goes on"
        click_at "$col" "$row"
        SCORE=$((SCORE + (size - 2) * (size - 2)))
    done
    balls=$(cell_kinds "$1-move-$move" | grep -vc empty || true)
    echo "game over after $move moves, score $SCORE, $((balls - size)) balls left"
    [ "$balls" -gt "$size" ]
}

scenario_balls_left() {
    # A table that no game can beat, so the end shows the score.
    local table=(First:90000 Second:80000 Third:70000 Fourth:60000 Fifth:50000)
    store_table "${table[@]}"
    start_game
    local before
    before=$(registry_values)
    # Clearing the whole board is rare but possible; then play another.
    local game
    for game in 1 2 3; do
        play_until_the_end "game$game" && break
        xdotool key Return
        wait_for_no_dialog || fail "Return did not close the end-of-game message"
        click_menu $GAME_MENU $NEW
    done
    shot message
    dialog_shows "Game over.\nYour score is $SCORE." ||
        fail "the end-of-game message is not text 6 with the score $SCORE: $(dialog_texts)"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the end-of-game message"
    [ "$(registry_values)" = "$before" ] || fail "a score below the table changed the registry"
    close_game
}

scenario_undo() {
    start_game
    fresh_shot start
    click_menu $GAME_MENU $UNDO
    wait_for_dialog || fail "Undo with nothing to undo showed no message"
    shot cannot-undo
    dialog_shows "Cannot undo." || fail "the message is not \"Cannot undo.\": $(dialog_texts)"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the message"

    local col row
    read -r col row <<<"$(find_group start)"
    click_at "$col" "$row"
    fresh_shot moved
    [ "$(board_differs start moved)" -gt 0 ] || fail "the click on $col,$row changed nothing"

    click_menu $GAME_MENU $UNDO # the mouse
    fresh_shot undone
    [ "$(board_differs start undone)" -eq 0 ] || fail "Undo did not bring back the board"
    [ "$(status_differs start undone)" -eq 0 ] || fail "Undo did not bring back the score"

    xdotool key alt+g u # the keyboard: undo the undo
    fresh_shot redone
    [ "$(board_differs moved redone)" -eq 0 ] || fail "a second Undo did not replay the move"
    [ "$(status_differs moved redone)" -eq 0 ] || fail "a second Undo did not restore the score"
    close_game
}

# In the language dialog that is opening, expects button FROM checked,
# clicks button TO and confirms with OK.
choose_language() {
    wait_for_dialog || fail "no language dialog opened"
    dialog_shows Dialog || fail "the open window is not the language dialog: $(dialog_texts)"
    control_is "$1" checked || fail "the language dialog does not show button $1 as chosen"
    shift
    click_control "$1"
    control_is "$1" checked || fail "a click on language button $1 did not check it"
    shot "language-dialog-$1"
    click_control 1 # OK
    wait_for_no_dialog || fail "OK did not close the language dialog"
    sleep 0.5 # the new window's first paint
    read_place || fail "no main window after the language switch"
}

scenario_language_switch() {
    start_game
    local col row
    fresh_shot start
    read -r col row <<<"$(find_group start)"
    click_at "$col" "$row"
    fresh_shot one-move
    read -r col row <<<"$(find_group one-move)"
    click_at "$col" "$row"
    fresh_shot english

    xdotool key alt+g l # the keyboard
    choose_language 1029 1028
    fresh_shot italian
    [ "$(menu_titles)" = "[  &Partita  ][  &?  ]" ] || fail "after Italiano the menu reads $(menu_titles)"
    [ "$(registry_value Lang)" = 0x0 ] || fail "after Italiano the registry holds Lang $(registry_value Lang)"
    [ "$(board_differs english italian)" -eq 0 ] || fail "the switch to Italian changed the board"
    [ "$(status_differs english italian)" -gt 0 ] || fail "the status line did not change language"

    click_menu $GAME_MENU $LANGUAGE # the mouse
    choose_language 1028 1029
    fresh_shot english-again
    [ "$(menu_titles)" = "[  &Game  ][  &?  ]" ] || fail "after English the menu reads $(menu_titles)"
    [ "$(registry_value Lang)" = 0x1 ] || fail "after English the registry holds Lang $(registry_value Lang)"
    [ "$(board_differs english english-again)" -eq 0 ] || fail "the switch back changed the board"
    [ "$(status_differs english english-again)" -eq 0 ] ||
        fail "after two switches the status line shows other numbers"

    xdotool key alt+g u
    fresh_shot undone
    [ "$(board_differs one-move undone)" -eq 0 ] || fail "the switches lost the last move's undo"
    close_game
}

# High scores, Help and About from the menus with the mouse, in both
# languages: each opens in the language of the menu and closes again.
scenario_menus() {
    local lang scores help
    for lang in 0 1; do
        game_reg add "$SETTINGS_KEY" /v Lang /t REG_DWORD /d $lang /f >/dev/null
        start_game
        case $lang in
        0) scores=Record help=Guida ;;
        1) scores="High scores" help=Help ;;
        esac
        click_menu $GAME_MENU $HIGH_SCORES
        wait_for_dialog || fail "the menu opened no $scores dialog"
        shot "scores-$lang"
        dialog_shows "$scores" || fail "the high-score dialog is not captioned $scores"
        click_control 1
        wait_for_no_dialog || fail "OK did not close the $scores dialog"

        click_menu $HELP_MENU $HELP
        wait_for_dialog || fail "the menu opened no $help message"
        shot "help-$lang"
        dialog_shows "$help" || fail "the help message is not captioned $help"
        xdotool key Return
        wait_for_no_dialog || fail "Return did not close the $help message"

        click_menu $HELP_MENU $ABOUT
        wait_for_dialog || fail "the menu opened no About box"
        shot "about-$lang"
        xdotool mousemove $((DX + 3)) $((DY + 3)) click 1
        wait_for_no_dialog || fail "a click off the link did not close the About box"
        close_game
    done
}

scenario_reset() {
    store_table Ada:900 Bruno:400
    start_game -
    click_menu $GAME_MENU $HIGH_SCORES
    wait_for_dialog || fail "Game > High scores opened nothing"
    shot table
    control_is 2 shown || fail "the reset button is hidden although the game was started with -"
    dialog_shows "&Cancel" || fail "the reset button is not labelled Cancel"
    xdotool key Escape
    wait_for_no_dialog || fail "Escape did not close the high-score dialog"
    [ "$(registry_value _1n)" = Ada ] || fail "Escape emptied the table"

    click_menu $GAME_MENU $HIGH_SCORES
    wait_for_dialog || fail "Game > High scores opened nothing the second time"
    click_control 2
    sleep 0.3
    read_dialog || fail "the reset button closed the high-score dialog"
    shot table-reset
    [ "$(changed_score_rows table table-reset)" = "1 2" ] ||
        fail "the dialog still shows the names after the reset"
    local i
    for i in 1 2 3 4 5; do
        [ "$(registry_value "_${i}n")" = "" ] && [ "$(registry_value "_${i}s")" = 0x0 ] ||
            fail "after the reset entry $i in the registry is not empty"
    done
    click_control 1
    wait_for_no_dialog || fail "OK did not close the high-score dialog"
    close_game
}

scenario_close_box() {
    start_game
    fresh_shot start
    local col row before
    read -r col row <<<"$(find_group start)"
    click_at "$col" "$row"
    shot moved
    before=$(registry_values)
    close_game
    read_place && fail "the window is still there after the close box"
    [ "$(registry_values)" = "$before" ] || fail "closing the game wrote to the registry"
    return 0
}

# Two games open at once in one prefix, as two players of one machine
# have them: game 1 moved to the screen's top-left corner, game 2 opened
# centred over it. The caption of each stays in sight; a click on it
# brings that game to the front, where read_place and the pointer find
# it. GAME_PID is the front game's, OTHER_PID the other's.
declare -A CAPTION_POINT PID_OF
open_two_games() {
    start_game "$@"
    "$RUN" "$PREFIX" "$PLACE" move 0 0 || fail "could not move the first game aside"
    read_place
    CAPTION_POINT[1]="$((WR - 100)) $((WT + 11))" PID_OF[1]=$GAME_PID
    launch_game "$@"
    local i
    for i in $(seq 100); do
        read_place && [ "$WL" -ne 0 ] && break
        sleep 0.2
    done
    [ "$WL" -ne 0 ] || fail "the second game showed no window"
    sleep 0.5
    CAPTION_POINT[2]="$((WR - 100)) $((WT + 11))" PID_OF[2]=$GAME_PID
}

# Wine may leave a game active but beneath the other when a window of
# one closes as the other opens (a language switch): a click on the
# other's caption and back sorts that out, as it would for a player.
front_game() {
    local attempt i
    for attempt in 1 2 3; do
        # shellcheck disable=SC2086
        xdotool mousemove ${CAPTION_POINT[$1]} click 1
        for i in $(seq 10); do
            sleep 0.2
            read_place && [ "$((WR - 100)) $((WT + 11))" = "${CAPTION_POINT[$1]}" ] && break 2
        done
        # shellcheck disable=SC2086
        xdotool mousemove ${CAPTION_POINT[$((3 - $1))]} click 1
        sleep 0.3
    done
    [ "$((WR - 100)) $((WT + 11))" = "${CAPTION_POINT[$1]}" ] ||
        fail "clicks on its caption did not bring game $1 to the front"
    GAME_PID=${PID_OF[$1]} OTHER_PID=${PID_OF[$((3 - $1))]}
}

# In the front game (one colour): clears the board with a click and enters
# NAME in the dialog that asks for it.
record_as() {
    click_menu $GAME_MENU $NEW
    click_at 7 5
    wait_for_dialog || fail "clearing the board asked for no name for $1"
    xdotool type "$1"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close $1's name dialog"
}

stored_names() {
    local i names=""
    for i in 1 2 3 4 5; do names+="$(registry_value "_${i}n")/"; done
    echo "${names%/}"
}

# The table and the language are the machine's, not a game's: two games
# open at once never erase each other's records, and each keeps speaking
# the language of its own menu.
scenario_two_games() {
    open_two_games -1
    front_game 2
    click_menu $GAME_MENU $HIGH_SCORES
    wait_for_dialog || fail "Game > High scores opened nothing"
    shot table-empty
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the high-score dialog"

    front_game 1 && record_as Ann
    front_game 2 && record_as Bob
    front_game 2 && record_as "R&D"
    front_game 1 && record_as Di
    [ "$(stored_names)" = "Ann/Bob/R&D/Di/" ] ||
        fail "four records from two games left the table $(stored_names)"

    front_game 2
    xdotool key alt+g l
    choose_language 1029 1028
    front_game 2
    [ "$(stored_names)" = "Ann/Bob/R&D/Di/" ] && [ "$(registry_value Lang)" = 0x0 ] ||
        fail "a language switch left $(stored_names), Lang $(registry_value Lang)"
    front_game 1
    [ "$(menu_titles)" = "[  &Game  ][  &?  ]" ] ||
        fail "the other game's switch changed this one's menu to $(menu_titles)"
    record_as Ed
    [ "$(stored_names)" = "Ann/Bob/R&D/Di/Ed" ] && [ "$(registry_value Lang)" = 0x0 ] ||
        fail "a record after the other game's switch left $(stored_names), Lang $(registry_value Lang)"

    front_game 2
    click_menu $GAME_MENU $HIGH_SCORES
    wait_for_dialog || fail "Partita > Record opened nothing"
    shot table-full
    [ "$(changed_score_rows table-empty table-full)" = "1 2 3 4 5" ] ||
        fail "the high-score dialog does not show the other game's records"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the high-score dialog"

    front_game 1
    click_menu $GAME_MENU $HIGH_SCORES
    wait_for_dialog || fail "Game > High scores opened nothing"
    click_control 2
    sleep 0.3
    [ "$(stored_names)" = "////" ] && [ "$(registry_value _1s)" = 0x0 ] &&
        [ "$(registry_value Lang)" = 0x0 ] ||
        fail "a reset left $(stored_names), Lang $(registry_value Lang)"
    click_control 1
    wait_for_no_dialog || fail "OK did not close the high-score dialog"
    close_game
    front_game 2
    close_game
}

# The cells that show the keyboard cursor's frame, "col row" each: the
# top-left corner of every picture is black, the frame's is white.
framed_cells() {
    local format="" col row x y
    for col in $(seq 0 14); do
        for row in $(seq 0 9); do
            x=$((BX + col * CELL + 1)) y=$((BY + row * CELL + 1))
            format+="$col $row %[fx:int(255*min(p{$x,$y}.r,min(p{$x,$y}.g,p{$x,$y}.b)))]\n"
        done
    done
    convert "$SHOTS/$1.png" -format "$format" info: | awk '$3 > 200 { print $1, $2 }'
}

# Presses key $1 $2 times.
press() {
    local i
    for ((i = 0; i < $2; i++)); do xdotool key "$1"; done
}

# Holds key $1 down long enough for it to repeat, then lets it go.
hold() {
    xdotool keydown "$1"
    sleep 1.5
    xdotool keyup "$1"
}

# The text in control ID of the open dialog, blanks and all.
control_text() {
    dialog_texts | awk -F'\t' -v id="$1" '$1 == id { print $3 }'
}

# Games played from the keyboard alone, and the hand-over between the
# keyboard and the pointer.
scenario_keyboard() {
    local best=0x$(printf %x $((148 * 148 + 1000)))
    start_game -1
    xdotool key Right # the first arrow only brings the cursor out
    shot one-colour
    [ "$(framed_cells one-colour)" = "0 9" ] ||
        fail "the first arrow key framed \"$(framed_cells one-colour)\", not the bottom-left cell"
    # Space plays on its release: its repeats must not reach the dialog
    # that the move opens.
    hold space
    wait_for_dialog || fail "clearing the board with Space asked for no name"
    shot held-space
    [ -z "$(control_text 1014)" ] || fail "the held Space typed \"$(control_text 1014)\" into the name field"
    xdotool type "Ada Lovelace"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the name dialog"
    [ "$(registry_value _1s)" = "$best" ] || fail "the registry holds $(registry_value _1s), not 22904"

    # The box has no owner: once it is closed the keys must come back to
    # the game without a click.
    xdotool key alt+g u
    wait_for_dialog && dialog_shows "Cannot undo." || fail "Undo after the end said nothing"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close \"Cannot undo.\""
    xdotool key Up
    shot after-cannot-undo
    [ "$(framed_cells after-cannot-undo)" = "0 8" ] || fail "after \"Cannot undo.\" the arrow keys do nothing"
    xdotool key Down

    # The name from before fills the field: the Enter that clears the
    # board must not confirm the dialog as well.
    xdotool key alt+g n
    shot second-game
    [ "$(framed_cells second-game)" = "0 9" ] || fail "a new game took the cursor away"
    [ "$(changed_cells one-colour second-game)" -eq 0 ] && [ "$(status_differs one-colour second-game)" -eq 0 ] ||
        fail "a new game did not preview the group under the frame"
    xdotool key Return
    wait_for_dialog && sleep 1 && read_dialog ||
        fail "the Enter that cleared the board showed no name dialog, or also confirmed it"
    shot second-name
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the second name dialog"
    [ "$(registry_value _2n)" = "Ada Lovelace" ] && [ "$(registry_value _2s)" = "$best" ] ||
        fail "the second game is not second in the table"

    # A last move that only reports its score: a held Enter must leave the
    # message to be read.
    store_table First:90000 Second:80000 Third:70000 Fourth:60000 Fifth:50000
    xdotool key alt+g n
    hold Return
    wait_for_dialog && sleep 1 && read_dialog || fail "the held Enter closed the end-of-game message"
    shot held-enter
    dialog_shows "Game over.\nYour score is 22904." || fail "the end shows no score: $(dialog_texts)"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the end-of-game message"
    close_game

    start_game
    fresh_shot start
    local col row
    read -r col row <<<"$(find_group start)"
    point_at 14 0 # the pointer rests on the board
    xdotool key Up Left Down
    shot edges
    [ "$(framed_cells edges)" = "0 9" ] || fail "the cursor left the bottom-left cell over the edge"
    press Up $((9 - row))
    press Right "$col"
    shot keyed
    [ "$(framed_cells keyed)" = "$col $row" ] || fail "the arrows did not bring the frame to $col,$row"
    [ "$(status_differs start keyed)" -gt 0 ] || fail "the status line shows no group at $col,$row"
    point_at "$col" "$row"
    shot pointed
    [ -z "$(framed_cells pointed)" ] || fail "moving the pointer left the frame on the board"
    [ "$(changed_cells keyed pointed)" -eq 0 ] && [ "$(status_differs keyed pointed)" -eq 0 ] ||
        fail "the arrows previewed otherwise than the pointer at $col,$row"

    # From here on the pointer rests off the board: whatever shows the
    # group at $col,$row follows the frame.
    point_at_margin
    xdotool key Left
    shot back
    [ "$(framed_cells back)" = "$col $row" ] || fail "the next arrow did not show the cursor where it was"
    xdotool key F1
    wait_for_dialog || fail "F1 opened no help"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the help"
    shot after-help
    [ "$(framed_cells after-help)" = "$col $row" ] ||
        fail "closing a dialog over the resting pointer hid the cursor"
    [ "$(changed_cells keyed after-help)" -eq 0 ] && [ "$(status_differs keyed after-help)" -eq 0 ] ||
        fail "after the help the group under the frame is not highlighted and counted"

    xdotool key space
    shot moved
    [ "$(board_differs start moved)" -gt 0 ] || fail "Space on $col,$row changed nothing"
    xdotool key alt+g u
    shot undone
    [ "$(changed_cells keyed undone)" -eq 0 ] && [ "$(status_differs keyed undone)" -eq 0 ] ||
        fail "Undo did not bring back the board and score with the group under the frame previewed"
    [ "$(framed_cells undone)" = "$col $row" ] || fail "Undo moved or hid the cursor"
    close_game
}

# A screen reader listening to the game from another process, as
# OTHER_PID: a line per event it read in $SHOTS/heard.txt, tab-separated:
# event, child, role, name, value, state, rectangle.
listen_as_reader() {
    "$RUN" "$PREFIX" "$(dirname "$PLACE")/screen_reader.exe" listen 180 >"$SHOTS/heard.txt" &
    OTHER_PID=$!
    heard_after 0 '^listening' >/dev/null || fail "no screen reader could listen to the game"
}

# What a reader finds in the window captioned TITLE, as screen_reader
# reads it; a copy goes to $SHOTS/read.txt.
read_as_reader() {
    "$RUN" "$PREFIX" "$(dirname "$PLACE")/screen_reader.exe" read "$1" | tr -d '\r' |
        tee "$SHOTS/read.txt"
}

# The first line heard after the first N that matches PATTERN, within 10 s.
heard_after() {
    local i
    for i in $(seq 50); do
        tr -d '\r' <"$SHOTS/heard.txt" | tail -n +$(($1 + 1)) | grep -m1 -P "$2" && return 0
        sleep 0.2
    done
    return 1
}

# Presses KEYS and expects a line heard that matches PATTERN to say
# EXPECTED up to its rectangle; the line goes to LINE, and HEARD to the
# number of lines heard before the keys.
hear() {
    HEARD=$(tr -d '\r' <"$SHOTS/heard.txt" | wc -l)
    xdotool key "${@:3}"
    LINE=$(heard_after "$HEARD" "$1") || fail "$* raised no event"
    [ "$(cut -f1-6 <<<"$LINE")" = "$2" ] || fail "after ${*:3} the reader heard: $LINE"
}

# The cell of LINE is the one framed in a shot of the screen, placed on
# it, and shows the colour that its name says.
heard_as_painted() {
    local child name rect col row kind
    IFS=$'\t' read -r _ child _ name _ _ rect <<<"$LINE"
    col=$(((child - 1) / 10)) row=$(((child - 1) % 10))
    shot "$1"
    [ "$(framed_cells "$1")" = "$col $row" ] &&
        [ "$rect" = "$((BX + col * CELL)) $((BY + row * CELL)) $CELL $CELL" ] ||
        fail "the reader's cell $col,$row at $rect is not the framed one, $(framed_cells "$1")"
    kind=$(cell_kinds "$1" | sed -n "${child}p")
    case $kind/$name in
    blue/Blu* | green/Green* | green/Verde* | red/Red* | red/Rosso* | empty/Empty* | empty/Cella*) ;;
    *) fail "the reader says \"$name\" where the board shows $kind" ;;
    esac
}

# The board read from another process, as a screen reader reads it: the
# focus follows the frame, and each cell says its colour, its place and
# its group in the game's language.
scenario_screen_reader() {
    local t=$'\t' focused=selected,focused,focusable group="group of 150, 21904 points"
    local status="Selected glombs: 150, Possible score: 21904, Score: 0"
    store_table "R&D:421"
    start_game -1
    listen_as_reader
    # The first arrow only brings the frame out, on the bottom-left cell.
    hear '^focus\t[1-9]' "focus${t}10${t}cell${t}Blue, column 1, row 1${t}$group${t}$focused" Up
    heard_as_painted bottom-left
    hear '^focus' "focus${t}20${t}cell${t}Blue, column 2, row 1${t}$group${t}$focused" Right
    heard_as_painted right
    # The board's focus, as a reader asks for it when it starts.
    LINE=$("$RUN" "$PREFIX" "$(dirname "$PLACE")/screen_reader.exe" focus | tr -d '\r')
    [ "$(cut -f1-2 <<<"$LINE")" = "focus${t}20" ] || fail "the board's focus is: $LINE"
    # Tab goes to the first cell of the next group, here the only one's.
    hear '^focus' "focus${t}10${t}cell${t}Blue, column 1, row 1${t}$group${t}$focused" Tab
    [ "$(read_as_reader Glomb | head -1 | cut -f8)" = "150 glombs left, 1 group" ] ||
        fail "the board's description is not its count of balls and groups"

    # The table row by row, then OK; the About box's lines and its link.
    xdotool key alt+g h
    wait_for_dialog || fail "Game > High scores opened nothing"
    [ "$(read_as_reader "High scores" | head -7 | cut -f1,3,4 | tr '\t' '|')" = "$(
        printf '%s\n' "self|client|High scores" "child|static text|1 - R&D, 421" \
            "child|static text|2 - empty" "child|static text|3 - empty" \
            "child|static text|4 - empty" "child|static text|5 - empty" "control|client|OK"
    )" ] || fail "a reader does not hear the table and its OK button: $(cat "$SHOTS/read.txt")"
    xdotool key Return
    wait_for_no_dialog || fail "Return did not close the high-score dialog"
    xdotool key i
    wait_for_dialog || fail "i opened no About box"
    [ "$(read_as_reader "About Glomb" | cut -f1,3,4,9 | tr '\t' '|')" = "$(
        printf '%s\n' "self|client|About Glomb|" "child|static text|Program by|" \
            "child|static text|Glomb Team|" "child|link|glomb@example.org|Open"
    )" ] || fail "a reader does not hear the About box: $(cat "$SHOTS/read.txt")"
    local x y
    read -r x y <<<"$(read_as_reader "About Glomb" | head -1 | cut -f7)"
    xdotool mousemove $((x + 3)) $((y + 3)) click 1 # as a reader routes the pointer
    wait_for_no_dialog || fail "a click where the reader places the box did not close it"

    # The status line, as painted, then the frame's cell again.
    hear '^value' "value${t}0${t}table${t}Glomb board${t}$status${t}focusable" alt+g n
    heard_after "$HEARD" '^focus\t20\t' >/dev/null || fail "after New the frame's cell was not heard"

    xdotool key alt+g l
    choose_language 1029 1028
    # The pointer that chose may have hidden the frame: Down brings it back
    # or keeps it on the bottom row, Left moves it.
    hear '^focus\t10\t' \
        "focus${t}10${t}cell${t}Blu, colonna 1, riga 1${t}gruppo di 150, 21904 punti${t}$focused" \
        Down Left
    heard_as_painted italian
    # The pointer takes the board: the reader's focus leaves the cell.
    HEARD=$(tr -d '\r' <"$SHOTS/heard.txt" | wc -l)
    xdotool mousemove $((BX + CELL / 2)) $((BY + CELL / 2))
    heard_after "$HEARD" '^focus\t0\ttable' >/dev/null ||
        fail "the pointer hid the frame, and the reader still has its cell"
    close_game
    GAME_PID=$OTHER_PID stop_game
}

for name in "$@"; do
    SHOTS=$SHOTS_ROOT/$name
    rm -rf "$SHOTS"
    mkdir -p "$SHOTS"
    eval "$("$RUN" "$PREFIX" --env)"
    fresh_start
    echo "--- $name"
    "scenario_$name"
done
echo "PASS: screenshots in $SHOTS_ROOT"
