#!/bin/bash
# Builds what a player downloads: for Windows the installer and a zip for
# a manual installation, for Linux a Debian package, and their SHA-256 sums.
#
#   make-dist.sh BUILD_DIR OUT_DIR    (BUILD_DIR: the win32 build tree)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:?usage: make-dist.sh BUILD_DIR OUT_DIR}")
out=${2:?usage: make-dist.sh BUILD_DIR OUT_DIR}
version=1.0.0.1
exe="$build/ui/glomb.exe"
[ -f "$exe" ] || { echo "make-dist: $exe is missing; build the win32 preset first" >&2; exit 1; }

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

# The key a 32-bit program sees as HKLM\Software\Kesti Glomb lives under
# WOW6432Node on 64-bit Windows, the only kind current Windows comes in.
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Kesti Glomb]\r\n' \
    >"$out/zip/glomb.reg"
cp "$out/glomb.exe" "$out/zip/glomb.exe"
sed 's/$/\r/' >"$out/zip/README.txt" <<'TXT'
Glomb 1.0.0.1

The simplest way to install Glomb is the installer, glomb-1.0.0.1-setup.exe.

To install by hand instead:
1. Copy glomb.exe into a folder of your choice.
2. Double-click glomb.reg and confirm: it creates the settings key where
   Glomb keeps its high scores and language (administrator rights needed).
3. The key is created readable by everyone but writable only by
   administrators. For players without administrator rights, give the
   Users group exactly what the installer gives it on
   HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\Kesti Glomb: Query Value,
   Set Value and Read Control, nothing more (in regedit: right-click the
   key, Permissions, Advanced, Users, and allow only those three). Never
   give Users Full Control: any player could then delete the key or
   lock the others out of it.
TXT
fix_time_and_mode "$out/zip"/*
(cd "$out/zip" && zip -q -X "$out/glomb-$version.zip" glomb.exe glomb.reg README.txt)
rm -rf "$out/zip"
# Linux players' package, beside the Windows files.
deb=$("$here/tools/linux/make-deb.sh" "$out/glomb.exe" "$out" "$version")
(cd "$out" && sha256sum glomb.exe "glomb-$version-setup.exe" "glomb-$version.zip" "${deb##*/}" >SHA256SUMS)
cat "$out/SHA256SUMS"
