#!/bin/bash
# Plays the real game as a player would, on the test prefix's screen:
#   play_test.sh GLOMB_EXE WINDOW_PLACE_EXE PREFIX SHOTS_DIR
# Screenshots of every step stay in SHOTS_DIR.
set -euo pipefail

EXE=$1 PLACE=$2 PREFIX=$3 SHOTS=$4
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/tests/e2e/player.sh"
trap stop_game EXIT

mkdir -p "$SHOTS"
rm -f "$SHOTS"/*.png
eval "$("$RUN" "$PREFIX" --env)"
fresh_settings_key

echo "--- the board appears, full, in more than one colour"
start_game
xdotool search --name 'Wine desktop' >/dev/null ||
    fail "no Wine virtual desktop on $DISPLAY: the prefix's wineserver was started before" \
        "the desktop was configured, so no caption or close box is drawn"
point_at_margin
shot start
kinds=$(cell_kinds start | sort | uniq -c)
echo "$kinds"
echo "$kinds" | grep -q empty && fail "the new board has empty cells"
[ "$(echo "$kinds" | wc -l)" -ge 2 ] || fail "the new board shows a single colour"

echo "--- hovering a group highlights it and fills in the status line"
read -r col row <<<"$(find_group start)"
[ -n "$col" ] || fail "no group found on the new board"
point_at "$col" "$row"
shot hover
lit=$(changed_cells start hover)
echo "group at $col,$row: $lit cells highlighted"
[ "$lit" -ge 2 ] || fail "hovering the group at $col,$row highlighted $lit cells"
[ "$(status_differs start hover)" -gt 0 ] || fail "the status line did not change"

echo "--- a click removes the group"
xdotool click 1
shot click
empty=$(cell_kinds click | grep -c empty || true)
[ "$empty" -eq "$lit" ] || fail "the click left $empty empty cells for a group of $lit"

echo "--- F1, ?, ! and i open Help and About: the highlight goes, the numbers stay"
for key in F1 question exclam i; do
    point_at_margin
    shot "base-$key"
    read -r col row <<<"$(find_group "base-$key")"
    point_at "$col" "$row"
    shot "lit-$key"
    xdotool key "$key"
    wait_for_dialog || fail "$key opened no window"
    sleep 0.3 # its first paint
    shot "open-$key"
    [ "$(board_differs_beside_dialog "base-$key" "open-$key")" -eq 0 ] ||
        fail "$key left the highlight on"
    [ "$(status_differs "lit-$key" "open-$key")" -eq 0 ] || fail "$key changed the status line"
    case $key in
    F1 | question) xdotool key Return ;; # the help message's OK
    *) xdotool mousemove $((DX + 3)) $((DY + 3)) click 1 ;; # About: a click off the link
    esac
    wait_for_no_dialog || fail "the window that $key opened did not close"
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after $key"
done

echo "--- a capital I is no accelerator"
xdotool mousemove_relative 1 0
shot "lit-I"
xdotool key I
shot "after-I"
[ "$(board_differs "lit-I" "after-I")" -eq 0 ] || fail "I changed the board"

echo "--- the close box ends the program with exit code 0"
click_close_box
wait_for_exit
[ "$GAME_RC" -eq 0 ] || fail "exit code $GAME_RC after the close box"

# "é1" deals one colour like "a1": a first byte above 0x7F is text like
# any other. Under a UTF-8 locale Wine hands the game é as 0xE9.
echo "--- with one colour the first click clears the board and asks for a name"
LC_ALL=C.UTF-8 start_game é1
shot one-colour
[ "$(cell_kinds one-colour | sort -u | wc -l)" -eq 1 ] || fail "é1 dealt more than one colour"
click_at 0 9
shot name-dialog
corners=$(cell_kinds name-dialog | sed -n '1p;10p;141p;150p' | sort -u)
[ "$corners" = empty ] || fail "the board's corners still hold balls after the click"
[ "$(board_differs one-colour name-dialog)" -gt 0 ] || fail "nothing changed after the click"
xdotool type Tester
xdotool key Return
shot after-name
[ "$(cell_kinds after-name | sort -u)" = empty ] ||
    fail "the name dialog did not close or the board is not empty"
game_reg query "$SETTINGS_KEY" | grep -q Tester ||
    fail "the name did not reach the high-score table"
click_close_box
wait_for_exit
[ "$GAME_RC" -eq 0 ] || fail "exit code $GAME_RC after the end of a game"

echo "PASS: screenshots in $SHOTS"
