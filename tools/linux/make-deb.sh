#!/bin/bash
# Builds the Debian package of Glomb from the game and the Linux files:
# the launcher, the program in /usr/lib/glomb, the menu entry, icons,
# AppStream data and manual page where Debian puts them. It prints the
# package's path.
#
#   make-deb.sh GLOMB_EXE OUT_DIR VERSION    (make-dist.sh runs it)
#
# GLOMB_EXE is the x86_64 game, which only wine64 on amd64 runs: hence an
# amd64 package, though it holds no Linux program of its own.
#
# Like the rest of the release it is the same bit for bit from every clone
# of a commit: every file has a fixed mode, owner and time (the last
# commit's, SOURCE_DATE_EPOCH), and dpkg-deb, told that time, writes its
# archive members in a fixed order.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
exe=$(realpath "${1:?usage: make-deb.sh GLOMB_EXE OUT_DIR VERSION}")
out=$(realpath -m "${2:?usage: make-deb.sh GLOMB_EXE OUT_DIR VERSION}")
# The package's own revision of the game's VERSION, so that apt upgrades
# over the package 1.0.0.1: 2 runs the 64-bit game, without wine32; 3
# gives new players a prefix to copy.
version=${3:?usage: make-deb.sh GLOMB_EXE OUT_DIR VERSION}-3
: "${SOURCE_DATE_EPOCH:?make-deb: set SOURCE_DATE_EPOCH to the time of the release}"
export SOURCE_DATE_EPOCH TZ=UTC

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
root="$stage/root"
doc="$root/usr/share/doc/glomb"

changelog() {
    cat <<TXT
glomb ($version) stable; urgency=medium

  * Glomb ${version%-*} for Debian: the 64-bit game, run by wine64 with no
    32-bit part of Wine; the scores of earlier versions come along.
  * A new player's first start copies a Wine prefix made when the package
    is installed, and again when Wine is upgraded, in /var/lib/glomb.

 -- Glomb Team <glomb@example.org>  $(date -R -d "@$SOURCE_DATE_EPOCH")
TXT
}

# Debian's Installed-Size: kibibytes, each file rounded up on its own.
installed_size() {
    find "$root" -path "$root/DEBIAN" -prune -o -type f -printf '%s\n' |
        awk '{ kib += int(($1 + 1023) / 1024) } END { print kib }'
}

PREFIX=/usr BINDIR=games DESTDIR="$root" "$here/install.sh" install "$exe" >/dev/null
gzip -9n "$root/usr/share/man/man6/glomb.6"
install -D -m 644 "$here/debian/copyright" "$doc/copyright"
changelog | gzip -9n >"$doc/changelog.Debian.gz"
chmod 644 "$doc/changelog.Debian.gz"

mkdir "$root/DEBIAN"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
sed -e "s/@VERSION@/$version/" -e "s/@INSTALLED_SIZE@/$(installed_size)/" \
    "$here/debian/control" >"$root/DEBIAN/control"
# The maintainer scripts make and remove the Wine prefix that new players
# copy, in /var/lib/glomb; the trigger makes it again after Wine changes.
cp "$here/debian/postinst" "$here/debian/postrm" "$here/debian/triggers" "$root/DEBIAN/"
chmod 644 "$root/DEBIAN"/*
chmod 755 "$root/DEBIAN/postinst" "$root/DEBIAN/postrm"
find "$root" -type d -exec chmod 755 {} +
find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p "$out"
deb="$out/glomb_${version}_amd64.deb"
# One compressor thread: xz splits its work by the number of threads.
dpkg-deb --root-owner-group --threads-max=1 -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
