#!/bin/bash
# Makes the pictures of the dialogs for the README, as a player sees them
# in English: docs/dialog-name.png (a name asked for after a game),
# docs/dialog-scores.png (the table with that name), docs/dialog-help.png,
# docs/dialog-about.png and docs/dialog-language.png.
#
#   tools/make-dialog-shots.sh [BUILD_DIR]    default build/win32 (win64 where
#                                             no 32-bit code runs)
#
# Needs glomb.exe and window_place.exe built there. Runs on a hidden
# screen in a Wine prefix of its own inside BUILD_DIR.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/tests/e2e/player.sh"
picture_session "${1:-}"
fresh_settings_key
store_table Marta:1250 Luca:640

# The open dialog, cut out with its frame, as docs/dialog-NAME.png.
save_dialog() {
    wait_for_dialog || fail "no dialog open for dialog-$1.png"
    shot "dialog-$1"
    convert "$SHOTS/dialog-$1.png" -crop $((DR - DL))x$((DB - DT))+"$DL"+"$DT" +repage \
        "$ROOT/docs/dialog-$1.png"
    echo "wrote docs/dialog-$1.png"
}

# "x1": one colour, so that one click ends the game; no reset button.
start_game x1
click_at 7 5
xdotool type Ada
save_dialog name
xdotool key Return
wait_for_no_dialog || fail "the name dialog did not close"

click_menu $GAME_MENU $HIGH_SCORES
save_dialog scores
xdotool key Return
wait_for_no_dialog || fail "the high-score dialog did not close"

click_menu $HELP_MENU $HELP
save_dialog help
xdotool key Return
wait_for_no_dialog || fail "the help message did not close"

click_menu $HELP_MENU $ABOUT
xdotool mousemove 0 0 # no pointer over the box
save_dialog about
xdotool mousemove $((DX + 3)) $((DY + 3)) click 1
wait_for_no_dialog || fail "the About box did not close"

click_menu $GAME_MENU $LANGUAGE
save_dialog language
xdotool key Escape
wait_for_no_dialog || fail "the language dialog did not close"
close_game
