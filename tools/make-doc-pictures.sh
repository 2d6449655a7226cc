#!/bin/sh
# Enlarged pictures of the sprite sheets, the icon and the hand cursor for
# the README, made from the files in res/ with ImageMagick. Each pixel
# becomes a square block, so the pictures show the artwork as drawn.
# Usage: tools/make-doc-pictures.sh   (from anywhere; writes into docs/)
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
res="$top/res"
docs="$top/docs"
mkdir -p "$docs"

# No time stamps or other metadata: the same artwork gives the same file.
enlarge() { # source scale output
    convert "$1" -scale "$2" -strip -define png:exclude-chunks=date,time "$3"
}

enlarge "$res/balls40.bmp" 400% "$docs/balls40.png"
enlarge "$res/balls32.bmp" 400% "$docs/balls32.png"

# The cursor on grey, so that its white inside stands out from the
# transparent ground around it.
convert "$res/hand.cur" -background '#a0a0a0' -flatten -scale 800% -strip \
    -define png:exclude-chunks=date,time "$docs/hand.png"

# Both icon images side by side at the same enlargement, bottoms aligned,
# on a transparent ground.
convert \( "$res/glomb.ico[0]" -scale 800% \) \( -size 32x1 xc:none \) \
    \( "$res/glomb.ico[1]" -scale 800% \) -background none -gravity south +append \
    -strip -define png:exclude-chunks=date,time "$docs/icon.png"
