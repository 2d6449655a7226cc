#!/bin/bash
# Builds what a Windows player downloads and tries it under Wine the way
# people use it: installs Glomb silently into a folder of their own,
# starts it, finds that the open game blocks an upgrade and an uninstall,
# upgrades it in place, uninstalls it keeping the high scores, installs it
# again through the pages in Italian and starts it from the last one,
# uninstalls it with the scores, and installs it by hand from the zip in a
# 64-bit and in a 32-bit prefix.
#
#   installer_test.sh SOURCE_DIR PREFIX BUILD_DIR KEY_ACCESS_EXE WINDOW_PLACE_EXE WORK_DIR
set -uo pipefail

src=$1 prefix=$2 work=$6
build=$(realpath "$3") key_access=$(realpath "$4") place=$(realpath "$5")
exe="$build/ui/glomb.exe"
mkdir -p "$work"
# Wine names its files in the locale's character set: a UTF-8 one keeps
# "Glömb" one folder whatever the caller's locale. English texts too.
export LC_ALL=C.UTF-8
eval "$("$src/tools/wine-run.sh" "$prefix" --env)"

failed=0
check() { # check DESCRIPTION COMMAND...
    if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else echo "FAIL: $1"; failed=1; fi
}
# Waits up to 30 s for a command to succeed.
wait_for() {
    for _ in $(seq 150); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
    return 1
}
KEY='HKLM\Software\Kesti Glomb'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glomb'
reg32() { timeout 30 wine reg "$@" /reg:32; }
key_exists() { reg32 query "$KEY"; }
key_missing() { ! key_exists; }
scores_kept() { reg32 query "$KEY" /v _1n | grep -q Ada; }
uninstall_entry() { timeout 30 wine reg "$1" "$UNINSTALL_KEY" "${@:2}" /reg:64; }

# NSIS takes /D= and _?= only unquoted and last, and Wine quotes every
# argument that holds a blank: so the folder goes in as separate words.
folder='C:\Spiele & Co\Glömb'
folder_words=('C:\Spiele' '&' 'Co\Glömb')
dir="$prefix/drive_c/Spiele & Co/Glömb"
default_dir="$prefix/drive_c/Program Files (x86)/Glomb"
link="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Glomb.lnk"

# The game, started in the background; it writes its defaults when it
# finds no language in its key, proof that it started and could write.
start_game() {
    reg32 delete "$KEY" /v Lang /f >/dev/null 2>&1
    timeout 60 wine "$1" &
    game=$!
}
game_wrote_settings() { wait_for reg32 query "$KEY" /v Lang; }
game_ended() { ! kill -0 "$game" 2>/dev/null; }
stop_game() { # also a game that the installer started, through the shell
    timeout 30 wine taskkill /im glomb.exe >/dev/null 2>&1
    if [ -n "${game:-}" ]; then
        wait_for game_ended
        kill "$game" 2>/dev/null
    fi
    game=""
}

dist="$work/dist"
setup="$dist/glomb-1.0.0.1-setup.exe"
"$src/tools/make-dist.sh" "$build" "$dist" >/dev/null || exit 1
check "the sums match what was built" bash -c "cd '$dist' && sha256sum --quiet -c SHA256SUMS"
check "the zip holds the game, the registry file, its importer and a read-me" \
    bash -c "unzip -Z1 '$dist/glomb-1.0.0.1.zip' | sort | tr '\n' ' ' |
             grep -qx 'README.txt create-key.cmd glomb.exe glomb.reg '"
reg32 delete "$KEY" /f >/dev/null 2>&1
uninstall_entry delete /f >/dev/null 2>&1
rm -rf "$dir" "$default_dir"

echo "--- a first installation, into a folder of the player's own"
timeout 60 wine "$setup" /S "/D=${folder_words[0]}" "${folder_words[@]:1}"
check "the installer puts the game and its uninstaller in that folder" \
    wait_for test -f "$dir/uninstall.exe" -a -f "$dir/glomb.exe"
check "the installed game is the one built" cmp "$exe" "$dir/glomb.exe"
check "the Start menu has a shortcut" test -f "$link"
check "the settings key exists and is empty" key_exists
timeout 30 wine "$key_access" | tr -d '\r'
check "Users may only query and set values and read the permissions; admins keep full control" \
    timeout 30 wine "$key_access"
reg32 add "$KEY" /v _1n /d Ada /f >/dev/null # a player's high score
start_game "$folder\\glomb.exe"
check "the installed game starts and writes its settings" game_wrote_settings

echo "--- while the game is open, a silent upgrade and uninstall fail and change nothing"
rm -f "$link"
touch -d @0 "$dir/glomb.exe" # what a change would replace
nothing_changed() {
    [ "$(stat -c %Y "$dir/glomb.exe")" = 0 ] && [ ! -e "$link" ] && [ -f "$dir/uninstall.exe" ] &&
        uninstall_entry query && scores_kept
}
timeout 60 wine "$setup" /S
check "the open game fails a silent upgrade" test $? != 0
# _?= makes the uninstaller run in place, so that its exit code counts.
timeout 60 wine "$folder\\uninstall.exe" /S "_?=${folder_words[0]}" "${folder_words[@]:1}"
check "the open game fails a silent uninstall" test $? != 0
check "neither changed the game, its shortcut, uninstaller, uninstall entry or scores" nothing_changed
stop_game

echo "--- upgrades"
# Replaced in its folder, no second copy, the scores kept.
upgraded_in_place() {
    touch -d @0 "$dir/glomb.exe"
    timeout 60 wine "$setup" /S && [ "$(stat -c %Y "$dir/glomb.exe")" != 0 ] && [ -f "$link" ] &&
        [ ! -e "$default_dir" ] && scores_kept
}
check "an upgrade replaces the game in its own folder and keeps the scores" upgraded_in_place
uninstall_entry delete /v InstallLocation /f >/dev/null
check "so does one over the first release, which did not remember the folder" upgraded_in_place

echo "--- uninstalling keeps the scores unless asked"
timeout 60 wine "$folder\\uninstall.exe" /S
check "the uninstaller removes the program, its folder and the shortcut" \
    wait_for test ! -e "$dir" -a ! -e "$link"
no_uninstall_entry() { ! uninstall_entry query; }
check "the uninstaller removes its uninstall entry" wait_for no_uninstall_entry
check "the uninstaller keeps the high scores" scores_kept

echo "--- through the pages in Italian, and the game started from the last one"
# Whether the installer's window shows TEXT (in Windows-1252).
page_shows() { timeout 10 wine "$place" texts | grep -qF "$1"; }
through_the_pages() {
    wait_for page_shows "Questo programma installa Glomb" && xdotool key Return &&
        wait_for page_shows "Selezione cartella installazione" && xdotool key Return &&
        wait_for page_shows "$(printf 'shown,checked\tEsegui Glomb')"
}
lang_is_italian() { reg32 query "$KEY" /v Lang | grep -q 'REG_DWORD *0x0'; }
LC_ALL=it_IT.UTF-8 timeout 120 wine "$setup" &
installer=$!
check "the installer speaks Italian to an Italian user and offers to start the game" through_the_pages
reg32 delete "$KEY" /v Lang /f >/dev/null 2>&1
xdotool key Return
check "the finish page starts the game, which speaks Italian too" wait_for lang_is_italian
found_the_scores() { test -f "$default_dir/glomb.exe" && scores_kept; }
check "the new installation is in Program Files and has the scores of before" found_the_scores
stop_game
wait "$installer" 2>/dev/null

timeout 60 wine "C:\\Program Files (x86)\\Glomb\\uninstall.exe" /S /REMOVESCORES
removed_with_scores() { test ! -e "$default_dir" && key_missing; }
check "/REMOVESCORES removes the high scores with the program" wait_for removed_with_scores

echo "--- by hand from the zip, in a 64-bit and a 32-bit prefix"
# The read-me's steps: unpack, run create-key.cmd (in the 64-bit prefix
# with the 64-bit cmd a double-click starts), start the game.
install_by_hand() { # CMD_EXE
    rm -rf "$WINEPREFIX/drive_c/Glomb"
    unzip -q "$dist/glomb-1.0.0.1.zip" -d "$WINEPREFIX/drive_c/Glomb"
    reg32 delete "$KEY" /f >/dev/null 2>&1
    timeout 60 wine start /wait /b "$1" /c 'C:\Glomb\create-key.cmd' </dev/null >/dev/null
    start_game 'C:\Glomb\glomb.exe'
    game_wrote_settings
    local started=$?
    stop_game
    reg32 delete "$KEY" /f >/dev/null 2>&1
    return "$started"
}
check "create-key.cmd makes the key the game opens on 64-bit Windows" \
    install_by_hand 'C:\windows\sysnative\cmd.exe'
prefix32="$prefix-32bit"
trap '"$src/tools/wine-run.sh" "$prefix32" --stop' EXIT
eval "$(WINEARCH=win32 "$src/tools/wine-run.sh" "$prefix32" --env)"
check "create-key.cmd makes the key the game opens on 32-bit Windows" install_by_hand cmd
reg_file_makes_key() { timeout 30 wine regedit /s 'C:\Glomb\glomb.reg' && key_exists; }
check "so does glomb.reg double-clicked there" reg_file_makes_key

exit $failed
