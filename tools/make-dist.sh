#!/bin/bash
# Builds what a player downloads: for Windows the installer and a zip for
# a manual installation, for Linux a Debian package, and their SHA-256 sums.
#
#   make-dist.sh WIN32_BUILD_DIR WIN64_BUILD_DIR OUT_DIR
#
# Windows players get the i686 game from the win32 build tree, which runs
# on every Windows from XP on; the Linux package carries the x86_64 game
# from the win64 tree, which wine64 runs without any 32-bit part.
set -euo pipefail

usage="usage: make-dist.sh WIN32_BUILD_DIR WIN64_BUILD_DIR OUT_DIR"
here=$(cd "$(dirname "$0")/.." && pwd)
exe="$(realpath -m "${1:?$usage}")/ui/glomb.exe"
exe64="$(realpath -m "${2:?$usage}")/ui/glomb.exe"
out=${3:?$usage}
version=1.0.0.1
for preset in win32 win64; do
    f=$exe
    [ $preset = win32 ] || f=$exe64
    [ -f "$f" ] || { echo "make-dist: $f is missing; build the $preset preset first" >&2; exit 1; }
done

# Bit for bit the same from every clone of a commit, whatever the time,
# time zone, umask or path of the build: every time stamp an archive must
# hold is the last commit's (the SOURCE_DATE_EPOCH convention), and every
# file goes in with a fixed mode.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    # Outside a clone (an unpacked source archive) the release still gets
    # made, from the game's own time, but another build will differ.
    if ! SOURCE_DATE_EPOCH=$(git -C "$here" log -1 --format=%ct 2>/dev/null); then
        SOURCE_DATE_EPOCH=$(stat -c %Y "$exe")
        echo "make-dist: not a git clone and SOURCE_DATE_EPOCH is not set:" \
            "the release takes glomb.exe's time and will not be reproducible" >&2
    fi
fi
export SOURCE_DATE_EPOCH TZ=UTC
fix_time_and_mode() { touch -d "@$SOURCE_DATE_EPOCH" "$@" && chmod 644 "$@"; }

rm -rf "$out"
mkdir -p "$out/zip"
out=$(realpath "$out")

cp "$exe" "$out/glomb.exe"
fix_time_and_mode "$out/glomb.exe"
makensis -V2 -DEXE="$out/glomb.exe" -DOUT="$out/glomb-$version-setup.exe" \
    "$here/tools/installer/glomb.nsi"

# One registry file cannot name the key the 32-bit game opens on both
# kinds of Windows: a double-click imports it with the 64-bit Registry
# Editor on 64-bit Windows, outside the 32-bit view, and WOW6432Node is a
# key of that literal name on 32-bit Windows. So the file names the key as
# the game does, and create-key.cmd imports it into the 32-bit view.
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kesti Glomb]\r\n' >"$out/zip/glomb.reg"
sed 's/$/\r/' >"$out/zip/create-key.cmd" <<'CMD'
@echo off
rem Creates the settings key that Glomb opens, where a 32-bit program
rem looks for it on 32-bit and on 64-bit Windows alike.
if exist "%windir%\SysWOW64\" (
    reg import "%~dp0glomb.reg" /reg:32
) else (
    reg import "%~dp0glomb.reg"
)
if errorlevel 1 (
    echo The key was not created: right-click create-key.cmd and choose
    echo "Run as administrator".
    pause
    exit /b 1
)
echo Glomb's settings key is ready.
pause
CMD
cp "$out/glomb.exe" "$out/zip/glomb.exe"
sed 's/$/\r/' >"$out/zip/README.txt" <<'TXT'
Glomb 1.0.0.1

The simplest way to install Glomb is the installer, glomb-1.0.0.1-setup.exe.

To install by hand instead:
1. Unpack this zip into a folder of your choice.
2. Right-click create-key.cmd and choose "Run as administrator" (on
   Windows XP, double-click it). It creates the settings key where Glomb
   keeps its high scores and language, in the part of the registry that
   32-bit programs see, on 32-bit and on 64-bit Windows alike.
   On 32-bit Windows, double-clicking glomb.reg does the same. On 64-bit
   Windows it does not: the Registry Editor that a double-click starts
   there puts the key where the 32-bit game never looks, and the game
   says that it is not installed properly.
3. The key is created readable by everyone but writable only by
   administrators. For players without administrator rights, give the
   Users group exactly what the installer gives it on the key: Query
   Value, Set Value and Read Control, nothing more (in regedit:
   right-click the key, Permissions, Advanced, Users, and allow only
   those three). In regedit the key is
     HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\Kesti Glomb on 64-bit Windows,
     HKEY_LOCAL_MACHINE\SOFTWARE\Kesti Glomb on 32-bit Windows.
   Never give Users Full Control: any player could then delete the key or
   lock the others out of it.

To remove Glomb, delete its folder; delete the key too to remove the high
scores.
TXT
fix_time_and_mode "$out/zip"/*
(cd "$out/zip" && zip -q -X "$out/glomb-$version.zip" glomb.exe glomb.reg create-key.cmd README.txt)
rm -rf "$out/zip"
# Linux players' package, beside the Windows files.
deb=$("$here/tools/linux/make-deb.sh" "$exe64" "$out" "$version")
(cd "$out" && sha256sum glomb.exe "glomb-$version-setup.exe" "glomb-$version.zip" "${deb##*/}" >SHA256SUMS)
cat "$out/SHA256SUMS"
