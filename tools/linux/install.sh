#!/bin/bash
# Puts Glomb where Linux desktops look for programs, or takes it away.
#
#   install.sh install GLOMB_EXE    (make install)
#   install.sh uninstall            (make uninstall)
#
# PREFIX (default ~/.local, a per-user installation), DESTDIR (for
# packagers) and BINDIR (the launcher's folder under PREFIX, default bin)
# come from the environment. The program goes into PREFIX/lib/glomb, a
# folder of its own; each player's high scores live apart, in their own
# data folder, and stay when the program goes. Uninstalling removes
# exactly the files that installing puts there.
set -eu

HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
PREFIX=${PREFIX:-$HOME/.local}
DESTDIR=${DESTDIR:-}
BINDIR=${BINDIR:-bin}
DEST="$DESTDIR$PREFIX"
# The Wine prefix that new players' first starts copy, where the launcher
# looks for it: in the installation's var/lib, which for /usr is /var/lib.
ROOT_OF_VAR=$PREFIX
[ "$(basename "$PREFIX")" != usr ] || ROOT_OF_VAR=$(dirname "$PREFIX")
TEMPLATE="$DESTDIR${ROOT_OF_VAR%/}/var/lib/glomb/wine64"
# The AppStream id, which also names the desktop entry, the icons and the
# metadata. It lies in GitHub's namespace, as AppStream suggests for a
# project without a domain of its own, under the name of the game's
# registry key.
read -r ID <"$HERE/app-id"

# Every installed file: its path under PREFIX, mode and source.
FILES="$BINDIR/glomb 755 $HERE/glomb
lib/glomb/glomb.exe 644 EXE
lib/glomb/prepare-prefix 755 $HERE/prepare-prefix
lib/glomb/prefix-settings.reg 644 $HERE/prefix-settings.reg
lib/glomb/app-id 644 $HERE/app-id
share/applications/$ID.desktop 644 $HERE/glomb.desktop
share/metainfo/$ID.metainfo.xml 644 $HERE/glomb.metainfo.xml
share/man/man6/glomb.6 644 $HERE/glomb.6"
for size in 16 32 48 64 128 256; do
    FILES+=$'\n'"share/icons/hicolor/${size}x$size/apps/$ID.png 644 $ROOT/res/glomb-$size.png"
done

# What earlier versions put there: the program in share/glomb, which with
# the default PREFIX was also the players' data folder, and files named by
# an id of a reserved example domain.
OLD_FILES="share/glomb/glomb.exe
share/applications/org.example.Glomb.desktop
share/icons/hicolor/16x16/apps/org.example.Glomb.png
share/icons/hicolor/32x32/apps/org.example.Glomb.png
share/metainfo/org.example.Glomb.metainfo.xml"

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

remove_old_files() {
    local path
    while read -r path; do
        if [ -e "$DEST/$path" ]; then
            rm -f "$DEST/$path"
            echo "  removed $DEST/$path (an earlier version's)"
        fi
    done <<<"$OLD_FILES"
    rmdir "$DEST/share/glomb" 2>/dev/null || true
}

# The desktop entry and the metadata name the id, and the entry starts the
# launcher by its full path, which works even where it is not on the PATH.
install_template() { # install_template SOURCE TARGET MODE
    local bindir="$PREFIX/$BINDIR"
    bindir="${bindir//&/\\&}" # as typed: to sed a bare & means what it matched
    mkdir -p "$(dirname "$2")"
    sed -e "s|@BINDIR@|$bindir|g" -e "s|@APP_ID@|$ID|g" "$1" >"$2.new"
    chmod "$3" "$2.new"
    mv -f "$2.new" "$2"
}

install_files() {
    local exe=$1 path mode source
    [ -f "$exe" ] || { echo "install: $exe is missing; build it first" >&2; exit 1; }
    # The desktop entry quotes the launcher's path; these would need escapes.
    case "$PREFIX/$BINDIR" in *[\"\`\$\\%\|]* | [!/]*)
        echo "install: PREFIX must be an absolute path without \" \` \$ \\ % or |" >&2
        exit 1
        ;;
    esac
    echo "Installing Glomb into $DEST:"
    while read -r path mode source; do
        [ "$source" = EXE ] && source=$exe
        case "$path" in
        *.desktop | *.metainfo.xml) install_template "$source" "$DEST/$path" "$mode" ;;
        *) install -D -m "$mode" "$source" "$DEST/$path" ;;
        esac
        echo "  $DEST/$path"
    done <<<"$FILES"
    remove_old_files
    refresh_caches
    make_template
    echo "Start Glomb from your application menu, or with: $PREFIX/$BINDIR/glomb"
    case ":$PATH:" in
    *":$PREFIX/$BINDIR:"*) ;;
    *) echo "($PREFIX/$BINDIR is not on your PATH: add it there to start the game as just 'glomb'.)" ;;
    esac
    echo "Each player's high scores and language are kept in ${XDG_DATA_HOME:-~/.local/share}/glomb."
}

# Made by the Wine installed now; after an upgrade of Wine the launcher
# finds it out of date and prepares each new player's prefix from scratch
# again, until the next make install. A packager's DESTDIR gets none: the
# package makes its own when it is installed.
make_template() {
    [ -z "$DESTDIR" ] || return 0
    echo "Preparing Wine for new players' first starts (some seconds):"
    if "$DEST/lib/glomb/prepare-prefix" template "$TEMPLATE"; then
        echo "  $TEMPLATE"
    fi
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
    rmdir "$DEST/lib/glomb" 2>/dev/null || true
    if [ -e "$TEMPLATE" ] || [ -L "$TEMPLATE" ]; then echo "  $TEMPLATE"; fi
    rm -rf -- "$TEMPLATE" "$TEMPLATE".?????? "$TEMPLATE.log"
    rmdir "$(dirname "$TEMPLATE")" 2>/dev/null || true
    remove_old_files
    refresh_caches
    echo "The high scores stay: each player's are in ${XDG_DATA_HOME:-~/.local/share}/glomb,"
    echo "yours in $data. To delete them too: rm -rf $(printf '%q' "$data")"
}

case "${1:-}" in
install) install_files "${2:?usage: $0 install GLOMB_EXE}" ;;
uninstall) uninstall_files ;;
*)
    echo "usage: $0 install GLOMB_EXE | uninstall" >&2
    exit 2
    ;;
esac
