#!/bin/bash
# Builds what a Windows player downloads, installs Glomb silently under
# Wine, checks what the player gets, starts the installed game, uninstalls
# it again, and tries the zip's registry file for a manual installation.
#
#   installer_test.sh SOURCE_DIR PREFIX BUILD_DIR KEY_ACCESS_EXE WORK_DIR
set -uo pipefail

src=$1 prefix=$2 work=$5
build=$(realpath "$3") key_access=$(realpath "$4")
exe="$build/ui/glomb.exe"
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

dist="$work/dist"
"$src/tools/make-dist.sh" "$build" "$dist" >/dev/null || exit 1
check "the sums match what was built" bash -c "cd '$dist' && sha256sum --quiet -c SHA256SUMS"
check "the zip holds the game, the registry file and a read-me" \
    bash -c "unzip -Z1 '$dist/glomb-1.0.0.1.zip' | sort | tr '\n' ' ' | grep -qx 'README.txt glomb.exe glomb.reg '"
reg32 delete 'HKLM\Software\Kesti Glomb' /f >/dev/null 2>&1
rm -rf "$dir"

timeout 60 wine "$dist/glomb-1.0.0.1-setup.exe" /S
check "the installer puts the game and its uninstaller in Program Files" \
    wait_for test -f "$dir/uninstall.exe" -a -f "$dir/glomb.exe"
check "the installed game is the one built" cmp "$exe" "$dir/glomb.exe"
check "the Start menu has a shortcut" test -f "$link"
check "the settings key exists and is empty" key_exists
timeout 30 wine "$key_access" | tr -d '\r'
check "Users may only query and set values and read the permissions; admins keep full control" \
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

# By hand: the registry file from the zip, imported as a double-click
# would, makes the key where the 32-bit game looks.
unzip -o -q "$dist/glomb-1.0.0.1.zip" glomb.reg -d "$work"
timeout 30 wine regedit /s "$work/glomb.reg"
check "the zip's registry file creates the key the game opens" wait_for key_exists
reg32 delete 'HKLM\Software\Kesti Glomb' /f >/dev/null 2>&1

exit $failed
