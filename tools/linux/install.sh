#!/bin/bash
# Puts Glomb where Linux desktops look for programs, or takes it away.
#
#   install.sh install GLOMB_EXE    (make install)
#   install.sh uninstall            (make uninstall)
#
# PREFIX (default ~/.local, a per-user installation) and DESTDIR (for
# packagers) come from the environment. Uninstalling removes exactly the
# files that installing puts there; the players' high scores live apart,
# in their own data folders, and stay.
set -eu

HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
PREFIX=${PREFIX:-$HOME/.local}
DESTDIR=${DESTDIR:-}
ID=org.example.Glomb
DEST="$DESTDIR$PREFIX"

# Every installed file: its path under PREFIX, mode and source.
FILES="bin/glomb 755 $HERE/glomb
share/glomb/glomb.exe 644 EXE
share/applications/$ID.desktop 644 $HERE/$ID.desktop
share/icons/hicolor/16x16/apps/$ID.png 644 $ROOT/res/glomb-16.png
share/icons/hicolor/32x32/apps/$ID.png 644 $ROOT/res/glomb-32.png
share/metainfo/$ID.metainfo.xml 644 $HERE/$ID.metainfo.xml"

# Menus watch their folders; icon themes notice new files by the mtime of
# the theme's folder. The caches beside them are refreshed where they
# exist, never made: a cache that nobody keeps up to date would hide other
# programs' files, and uninstalling would leave it behind. A packager's
# DESTDIR is not the live system: the package's triggers refresh it.
refresh_caches() {
    [ -z "$DESTDIR" ] || return 0
    local apps="$DEST/share/applications" icons="$DEST/share/icons/hicolor"
    if command -v update-desktop-database >/dev/null && [ -f "$apps/mimeinfo.cache" ]; then
        update-desktop-database -q "$apps" || true
    fi
    if [ -d "$icons" ]; then
        touch "$icons"
        if command -v gtk-update-icon-cache >/dev/null && [ -f "$icons/icon-theme.cache" ]; then
            gtk-update-icon-cache -q -t -f "$icons" || true
        fi
    fi
}

install_files() {
    local exe=$1 path mode source
    [ -f "$exe" ] || { echo "install: $exe is missing; build it first" >&2; exit 1; }
    # The desktop entry quotes the launcher's path; these would need escapes.
    case "$PREFIX" in *[\"\`\$\\%\|]* | [!/]*)
        echo "install: PREFIX must be an absolute path without \" \` \$ \\ % or |" >&2
        exit 1
        ;;
    esac
    echo "Installing Glomb into $DEST:"
    while read -r path mode source; do
        [ "$source" = EXE ] && source=$exe
        if [ "$path" = "share/applications/$ID.desktop" ]; then
            # The menu starts the launcher by its full path, which works
            # even where PREFIX/bin is not on the PATH.
            mkdir -p "$(dirname "$DEST/$path")"
            sed "s|@BINDIR@|$PREFIX/bin|g" "$source" >"$DEST/$path.new"
            chmod "$mode" "$DEST/$path.new"
            mv -f "$DEST/$path.new" "$DEST/$path"
        else
            install -D -m "$mode" "$source" "$DEST/$path"
        fi
        echo "  $DEST/$path"
    done <<<"$FILES"
    refresh_caches
    echo "Start Glomb from your application menu, or with: $PREFIX/bin/glomb"
    case ":$PATH:" in
    *":$PREFIX/bin:"*) ;;
    *) echo "($PREFIX/bin is not on your PATH: add it there to start the game as just 'glomb'.)" ;;
    esac
    echo "Each player's high scores and language are kept in ${XDG_DATA_HOME:-~/.local/share}/glomb."
}

uninstall_files() {
    local path mode source data="${XDG_DATA_HOME:-$HOME/.local/share}/glomb"
    if [ -n "${SUDO_USER:-}" ]; then # under sudo, HOME is root's
        data="$(getent passwd "$SUDO_USER" | cut -d: -f6)/.local/share/glomb"
    fi
    echo "Removing Glomb from $DEST:"
    while read -r path mode source; do
        if [ -e "$DEST/$path" ] || [ -L "$DEST/$path" ]; then
            rm -f "$DEST/$path"
            echo "  $DEST/$path"
        fi
    done <<<"$FILES"
    rmdir "$DEST/share/glomb" 2>/dev/null || true
    refresh_caches
    echo "The high scores stay: each player's are in ${XDG_DATA_HOME:-~/.local/share}/glomb,"
    echo "yours in $data. To delete them too: rm -rf '$data'"
}

case "${1:-}" in
install) install_files "${2:?usage: $0 install GLOMB_EXE}" ;;
uninstall) uninstall_files ;;
*)
    echo "usage: $0 install GLOMB_EXE | uninstall" >&2
    exit 2
    ;;
esac
