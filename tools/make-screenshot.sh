#!/bin/bash
# Makes docs/screenshot.png: the game in progress, a few moves played and
# the pointer resting on a group, so that it shows highlighted with its
# numbers in the status line. And docs/colour-vision.png: that board as
# players with each of the three common colour-vision deficiencies see it,
# beside normal vision.
#
#   tools/make-screenshot.sh [BUILD_DIR]    default build/win32 (win64 where no
#                                           32-bit code runs)
#
# Needs glomb.exe and window_place.exe built there. Runs on a hidden
# screen in a Wine prefix of its own inside BUILD_DIR.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=$ROOT/docs/screenshot.png
SEEN=$ROOT/docs/colour-vision.png
. "$ROOT/tests/e2e/player.sh"
picture_session "${1:-}"
"$ROOT/tools/make-settings-key.sh" "$PREFIX" "$EXE"

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

# The simulations of Machado, Oliveira and Fernandes (2009) at full
# severity: a matrix on linear light, which is ImageMagick's RGB.
declare -A DEFICIENCY=(
    [protanopia]="0.152286 1.052583 -0.204868 0.114503 0.786281 0.099216 -0.003882 -0.048116 1.051998"
    [deuteranopia]="0.367322 0.860646 -0.227968 0.280085 0.672501 0.047413 -0.011820 0.042940 0.968881"
    [tritanopia]="1.255528 -0.076749 -0.178779 -0.078411 0.930809 0.147602 0.004733 0.691367 0.303900"
)

# SHOTS/seen-NAME.png: the board as seen with deficiency NAME ("normal
# vision" leaves it as it is), the name written below it.
seen_as() {
    local view=()
    [ "$1" = "normal vision" ] || view=(-colorspace RGB -color-matrix "${DEFICIENCY[$1]}" -colorspace sRGB)
    convert "$SHOTS/board.png" "${view[@]}" -background white -font Liberation-Sans -pointsize 18 \
        label:"$1" -gravity center -append -bordercolor white -border 6 "$SHOTS/seen-${1// /-}.png"
}

make_colour_vision() {
    local name
    convert "$SHOTS/hover.png" -crop $((15 * CELL))x$((10 * CELL))+"$BX"+"$BY" +repage "$SHOTS/board.png"
    for name in "normal vision" protanopia deuteranopia tritanopia; do seen_as "$name"; done
    convert \( "$SHOTS/seen-normal-vision.png" "$SHOTS/seen-protanopia.png" +append \) \
        \( "$SHOTS/seen-deuteranopia.png" "$SHOTS/seen-tritanopia.png" +append \) -append \
        -depth 8 -strip "$SEEN"
}

convert "$SHOTS/hover.png" -crop $((WR - WL))x$((WB - WT))+"$WL"+"$WT" +repage "$OUT"
make_colour_vision
click_close_box
wait_for_exit
echo "wrote $OUT and $SEEN"
