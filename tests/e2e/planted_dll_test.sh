#!/bin/bash
# A copy of the game in a folder where a web page has left a library
# named oleacc.dll, as Downloads folders have: started with Windows'
# search order, which looks in the program's own folder first, and read
# by a screen reader, it must not run that library, and the reader must
# still hear the board.
#
#   planted_dll_test.sh GLOMB_EXE WINDOW_PLACE_EXE PLANTED_DLL PREFIX FOLDER
set -euo pipefail

BUILT=$1 PLACE=$2 PLANTED=$3 PREFIX=$4 FOLDER=$5
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/tests/e2e/player.sh"
export LC_ALL=C.UTF-8
trap stop_game EXIT

rm -rf "$FOLDER"
mkdir -p "$FOLDER"
EXE=$FOLDER/glomb.exe
cp "$BUILT" "$EXE"
cp "$PLANTED" "$FOLDER/oleacc.dll"
eval "$("$RUN" "$PREFIX" --env)"
fresh_settings_key

# Wine prefers its own oleacc.dll to a file beside the program; n,b makes
# it search as Windows does.
GLOMB_DLL_OVERRIDES=oleacc=n,b start_game -1
xdotool key Up # the frame, which the reader's focus follows
heard=$("$RUN" "$PREFIX" "$(dirname "$PLACE")/screen_reader.exe" focus | tr -d '\r') || true
[ ! -e "$FOLDER/oleacc.dll.loaded" ] ||
    fail "the oleacc.dll beside the game ran inside it when a screen reader asked for the board"
[ "$(cut -f1-4 <<<"$heard")" = $'focus\t10\tcell\tBlue, column 1, row 1' ] ||
    fail "beside a planted oleacc.dll the reader heard \"$heard\" instead of the framed cell"
close_game
echo "PASS: the planted oleacc.dll stayed unloaded and the board was heard"
