#!/bin/bash
# Makes docs/screenshot.png: the game in progress, a few moves played and
# the pointer resting on a group, so that it shows highlighted with its
# numbers in the status line.
#
#   tools/make-screenshot.sh [BUILD_DIR]    default build/win32
#
# Needs glomb.exe and window_place.exe built there. Runs on a hidden
# screen in a Wine prefix of its own inside BUILD_DIR.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=$ROOT/docs/screenshot.png
. "$ROOT/tests/e2e/player.sh"
picture_session "${1:-}"
"$ROOT/tools/make-settings-key.sh" "$PREFIX"

start_game

for move in 1 2 3 4; do
    point_at_margin
    shot board
    read -r col row <<<"$(find_group board)"
    click_at "$col" "$row"
done

# Rest the pointer on the first group of three or more.
point_at_margin
shot board
for i in $(seq 0 149); do
    point_at $((i / 10)) $((i % 10))
    shot hover
    [ "$(changed_cells board hover)" -ge 3 ] && break
done

convert "$SHOTS/hover.png" -crop $((WR - WL))x$((WB - WT))+"$WL"+"$WT" +repage "$OUT"
click_close_box
wait_for_exit
echo "wrote $OUT"
