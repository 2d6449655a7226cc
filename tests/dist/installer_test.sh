#!/bin/bash
# Tries the Windows installer under Wine the way people use it: installs
# Glomb silently into a folder of their own, starts it, finds that the
# open game blocks an upgrade and an uninstall, upgrades it in place,
# uninstalls it keeping the high scores, installs it again through the
# pages in Italian and starts it from the last one, and uninstalls it
# with the scores. The installer, the uninstaller and the game are 32-bit
# programs. The first installation runs from a folder where a web page
# has left libraries named as those the installer loads (PLANTED_DLL).
#
#   installer_test.sh SOURCE_DIR PREFIX BUILD_DIR DIST_DIR KEY_ACCESS_EXE WINDOW_PLACE_EXE
#                     PLANTED_DLL
set -uo pipefail

src=$1 prefix=$2 dist=$4
build=$(realpath "$3") key_access=$(realpath "$5") place=$(realpath "$6") planted=$7
exe="$build/ui/glomb.exe"
# Wine names its files in the locale's character set: a UTF-8 one keeps
# "Glömb" one folder whatever the caller's locale. English texts too.
export LC_ALL=C.UTF-8
eval "$("$src/tools/wine-run.sh" "$prefix" --env)"
. "$src/tests/dist/checks.sh"

UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glomb'
scores_kept() { reg32 query "$KEY" /v _1n | grep -q Ada; }
uninstall_entry() { timeout 30 wine reg "$1" "$UNINSTALL_KEY" "${@:2}" /reg:64; }

# NSIS takes /D= and _?= only unquoted and last, and Wine quotes every
# argument that holds a blank: so the folder goes in as separate words.
folder='C:\Spiele & Co\Glömb'
folder_words=('C:\Spiele' '&' 'Co\Glömb')
dir="$prefix/drive_c/Spiele & Co/Glömb"
default_dir="$prefix/drive_c/Program Files (x86)/Glomb"
link="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Glomb.lnk"

setup="$dist/glomb-1.0.0.1-setup.exe"
reg32 delete "$KEY" /f >/dev/null 2>&1
uninstall_entry delete /f >/dev/null 2>&1
rm -rf "$dir" "$default_dir"

echo "--- a first installation, from Downloads, into a folder of the player's own"
# The libraries that the installer's own code loads, searched for as
# Windows does (n,b): it must take each from the system. Wine's user32
# loads version.dll and uxtheme.dll from any program's folder, so those
# two cannot be tried here.
planted_names=(userenv setupapi apphelp propsys dwmapi cryptbase oleacc clbcatq ntmarta shfolder)
downloads="$build/tests/dist/downloads"
rm -rf "$downloads" && mkdir -p "$downloads" && cp "$setup" "$downloads/"
for name in "${planted_names[@]}"; do cp "$planted" "$downloads/$name.dll"; done
overrides=$(IFS=,; echo "${planted_names[*]}")
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$overrides=n,b" timeout 60 wine "$downloads/${setup##*/}" /S \
    "/D=${folder_words[0]}" "${folder_words[@]:1}"
no_planted_ran() { ! compgen -G "$downloads/*.loaded"; }
check "the installer ran none of the libraries left beside it" no_planted_ran
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

exit $failed
