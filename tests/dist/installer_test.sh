#!/bin/bash
# Installs Glomb silently under Wine, checks what a Windows player would
# get, starts the installed game, and uninstalls it again.
#
#   installer_test.sh SOURCE_DIR PREFIX GLOMB_EXE KEY_ACCESS_EXE WORK_DIR
set -uo pipefail

src=$1 prefix=$2 work=$5
exe=$(realpath "$3") key_access=$(realpath "$4")
mkdir -p "$work"
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
reg32() { timeout 30 wine reg "$@" /reg:32; }
key_exists() { reg32 query 'HKLM\Software\Kesti Glomb'; }
key_missing() { ! key_exists; }

dir="$prefix/drive_c/Program Files (x86)/Glomb"
link="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Glomb.lnk"

makensis -V2 -DEXE="$exe" -DOUT="$work/glomb-setup.exe" "$src/tools/installer/glomb.nsi" || exit 1
reg32 delete 'HKLM\Software\Kesti Glomb' /f >/dev/null 2>&1
rm -rf "$dir"

timeout 60 wine "$work/glomb-setup.exe" /S
check "the installer puts the game and its uninstaller in Program Files" \
    wait_for test -f "$dir/uninstall.exe" -a -f "$dir/glomb.exe"
check "the installed game is the one built" cmp "$exe" "$dir/glomb.exe"
check "the Start menu has a shortcut" test -f "$link"
check "the settings key exists and is empty" key_exists
check "every user may open the settings key with full access" \
    timeout 30 wine "$key_access"

# The installed game opens the key and, finding no language there, writes
# its defaults: proof that it started and could write.
timeout 60 wine "C:\\Program Files (x86)\\Glomb\\glomb.exe" &
game=$!
check "the installed game starts and writes its settings" \
    wait_for reg32 query 'HKLM\Software\Kesti Glomb' /v Lang
timeout 30 wine taskkill /im glomb.exe >/dev/null 2>&1
wait_for bash -c "! kill -0 $game 2>/dev/null"
kill "$game" 2>/dev/null

timeout 60 wine "C:\\Program Files (x86)\\Glomb\\uninstall.exe" /S
check "the uninstaller removes the program" wait_for test ! -e "$dir/glomb.exe"
check "the uninstaller removes the shortcut" wait_for test ! -e "$link"
check "the uninstaller removes the settings key" wait_for key_missing

exit $failed
