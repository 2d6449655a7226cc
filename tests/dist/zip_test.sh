#!/bin/bash
# Installs Glomb by hand from the zip, following its read-me: unpack, run
# create-key.cmd, start the game.
#
#   zip_test.sh SOURCE_DIR DIST_DIR PREFIX 64|32
#
# 64: a 64-bit prefix, with the 64-bit cmd a double-click starts there;
# the key must land in the 32-bit view, where the i686 game looks. Where
# this machine runs 32-bit code the game itself starts and opens it.
# 32: a 32-bit prefix (32-bit code throughout), with create-key.cmd and
# with glomb.reg double-clicked.
set -uo pipefail

src=$1 dist=$2 prefix=$3 bits=$4
export LC_ALL=C.UTF-8
trap '"$src/tools/wine-run.sh" "$prefix" --stop' EXIT
if [ "$bits" = 32 ]; then
    eval "$(WINEARCH=win32 "$src/tools/wine-run.sh" "$prefix" --env)"
else
    eval "$("$src/tools/wine-run.sh" "$prefix" --env)"
fi
. "$src/tests/dist/checks.sh"

# The read-me's steps: unpack, then create-key.cmd run by CMD_EXE.
install_by_hand() { # CMD_EXE
    rm -rf "$WINEPREFIX/drive_c/Glomb"
    unzip -q "$dist/glomb-1.0.0.1.zip" -d "$WINEPREFIX/drive_c/Glomb"
    reg32 delete "$KEY" /f >/dev/null 2>&1
    timeout 60 wine start /wait /b "$1" /c 'C:\Glomb\create-key.cmd' </dev/null >/dev/null
}
game_opens_key() {
    start_game 'C:\Glomb\glomb.exe'
    game_wrote_settings
    local started=$?
    stop_game
    return "$started"
}
only_in_32bit_view() { key_exists && ! timeout 30 wine reg query "$KEY" /reg:64; }

if [ "$bits" = 64 ]; then
    cmd='C:\windows\system32\cmd.exe'
    if "$src/tools/runs-i386.sh"; then
        # There wine runs start.exe as a 32-bit program, which reaches the
        # 64-bit cmd only through sysnative.
        cmd='C:\windows\sysnative\cmd.exe'
    fi
    install_by_hand "$cmd"
    check "create-key.cmd makes the key in the 32-bit view of 64-bit Windows, and only there" \
        only_in_32bit_view
    if "$src/tools/runs-i386.sh"; then
        check "the game opens it" game_opens_key
    fi
else
    install_by_hand cmd
    check "create-key.cmd makes the key the game opens on 32-bit Windows" game_opens_key
    reg32 delete "$KEY" /f >/dev/null 2>&1
    reg_file_makes_key() { timeout 30 wine regedit /s 'C:\Glomb\glomb.reg' && key_exists; }
    check "so does glomb.reg double-clicked there" reg_file_makes_key
fi
exit $failed
