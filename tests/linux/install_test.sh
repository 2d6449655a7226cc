#!/bin/bash
# Installs Glomb the Linux ways for a throw-away HOME, on a screen of its
# own, and uses it as a player would:
# - make install into ~/.local over an earlier version's files and 64-bit
#   prefix; its first start copies the prefix that make install made and
#   keeps that version's scores and language;
# - a game that enters the high-score table; the About box as the README
#   shows it; a reinstall and a start from the menu entry that still has
#   the score; an uninstall that keeps it;
# - the Debian package: lintian, a version that apt upgrades over the
#   1.0.0.1 one, the software-centre catalogue, a real installation (as
#   root, when no other Glomb is installed; otherwise unpacked into a
#   throw-away root, with the prefix for new players made as the package
#   makes it), a start from its menu entry with the player's data and one
#   for a new player of another user, which copies that prefix; the
#   trigger that makes it again when Wine changes; and a removal and
#   purge that leave only the players' data.
#
#   install_test.sh SOURCE_DIR GLOMB_EXE WORK_DIR
set -uo pipefail

src=$(realpath "$1") exe=$(realpath "$2") work=$(realpath -m "$3")
read -r id <"$src/tools/linux/app-id"
rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home"
unset XDG_DATA_HOME # so the launcher's default, ~/.local/share, is used
prefix="$HOME/.local"
data="$HOME/.local/share/glomb"
export WINEPREFIX="$data/wine64" WINEDEBUG=-all
entry="$prefix/share/applications/$id.desktop"
log="$work/games.log"

. "$src/tests/linux/checks.sh"
install_as() { PREFIX="$prefix" "$src/tools/linux/install.sh" "$@"; }
files_under() { (cd "$1" 2>/dev/null && find . -type f | sort); }

# A screen of our own: Xvfb picks a free display and tells which. It does
# not reset when the game, its last client, closes: a start in the middle
# of that reset would find no display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
wait_for test -s "$work/display"
DISPLAY=":$(cat "$work/display")"
export DISPLAY
package_installed=0
cleanup() {
    timeout 30 wineserver -k 2>/dev/null
    kill $xvfb 2>/dev/null
    # Never leave the package on the machine, whatever failed.
    [ $package_installed = 0 ] || DEBIAN_FRONTEND=noninteractive dpkg --purge glomb >/dev/null 2>&1
}
trap cleanup EXIT

# An earlier version, installed with make install: its program in the
# data folder, its files under another id, and its 64-bit prefix with a
# score and the language Italian (0).
mkdir -p "$data/prefix" "$prefix/share/applications"
cp "$exe" "$data/glomb.exe"
touch "$data/lock" "$prefix/share/applications/org.example.Glomb.desktop"
printf '%s\n' 'WINE REGISTRY Version 2' ';; All keys relative to REGISTRY\\Machine' '' \
    '#arch=win64' '' '[Software\\Wow6432Node\\Kesti Glomb] 1796794271' '#time=1dd879e80593028' \
    '"_1n"="Grace\0\0\0\0\0\0\0\0\0\0\0"' '"_1s"=dword:00000457' '"Lang"=dword:00000000' '' \
    '[Software\\Wow6432Node\\Other] 1796794271' '"x"="y"' >"$data/prefix/system.reg"

DESTDIR="$work/stage" install_as install "$exe" >/dev/null
DESTDIR="$work/amp" PREFIX='/opt/a&b' "$src/tools/linux/install.sh" install "$exe" >/dev/null
check "a PREFIX with & goes into the desktop entry as typed" \
    grep -qxF 'Exec="/opt/a&b/bin/glomb"' "$work/amp/opt/a&b/share/applications/$id.desktop"
install_as install "$exe" >"$work/install.log"
check "a DESTDIR installation holds the same files, and the earlier version's are gone" \
    diff <(files_under "$work/stage$prefix") \
    <(files_under "$prefix" | grep -v -e '^./share/glomb/prefix/' -e '^./share/glomb/lock$' -e '^./var/')
check "and make install made the prefix for new players" test -f "$prefix/var/lib/glomb/wine64/system.reg"
check "the installation says where the launcher went" grep -q "$prefix/bin/glomb" "$work/install.log"
check "the desktop entry validates" desktop-file-validate "$entry"
check "the AppStream data validates" \
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
sizes() { for s in 16 32 48 64 128 256; do echo "${s},$s"; done; }
check "the icons are 16 to 256 pixels square" diff <(sizes) \
    <(for s in 16 32 48 64 128 256; do
        identify -format '%w,%h\n' "$prefix/share/icons/hicolor/${s}x$s/apps/$id.png"
    done)

# The game's visible top-level windows (main window and dialogs).
windows() { xdotool search --onlyvisible --classname '^glomb\.exe$' 2>/dev/null; }
two_windows() { [ "$(windows | wc -l)" -ge 2 ]; }
one_window() { [ "$(windows | wc -l)" -eq 1 ]; }
game_is_gone() { ! kill -0 "$1" 2>/dev/null; }
has_score() { reg_value _1n | grep -q 'REG_SZ *Ada$' && reg_value _1s | grep -q 'REG_DWORD *0x5978$'; }

# Clicks at X Y inside window W, raised above the others first (there is
# no window manager to raise it).
click_in() {
    xdotool windowraise "$1" mousemove --window "$1" "$2" "$3" click 1
}
# Closes window W as a player would: a click on its status line activates
# it, then Alt+F4.
close_window() {
    local height
    height=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\)/\1/p')
    click_in "$1" 20 $((height - 8))
    xdotool key alt+F4
}

# Starts the game with LAUNCHER, expects its window (check STARTS) and
# what CHECK finds (check WHAT), and closes it again.
start_and_check() { # start_and_check LAUNCHER STARTS WHAT CHECK...
    "$1" >>"$log" 2>&1 &
    local game=$!
    check "$2" wait_for windows
    check "$3" "${@:4}"
    close_window "$(windows | head -1)"
    wait_for game_is_gone "$game"
    timeout 30 wineserver -w # the registry is on disk
}

# First start: a one-colour game.
"$prefix/bin/glomb" -1 >>"$log" 2>&1 &
game=$!
check "the first start opens the game" wait_for windows
check "from the prefix that make install made, with no preparing of Wine" \
    eval '! grep -q "preparing Wine in" "$log"'
check "only one game opened" one_window
mine=$(windows | head -1)
class=$(xprop -id "$mine" WM_CLASS 2>/dev/null | sed -n 's/.*", "\(.*\)"$/\1/p')
check "the window's class is the entry's StartupWMClass" grep -qx "StartupWMClass=$class" "$entry"
check "the prefix is a 64-bit one in ~/.local/share/glomb/wine64" grep -qx '#arch=win64' "$WINEPREFIX/system.reg"
check "the earlier version's score and language came along" \
    eval 'reg_value _1n | grep -q "Grace$" && reg_value Lang | grep -q "0x0$"'
check "and its prefix and lock are gone" eval '[ ! -e "$data/prefix" ] && [ ! -e "$data/lock" ]'
check "Wine added nothing to the player's menus" \
    test -z "$(find "$prefix/share/applications" -mindepth 1 ! -name "$id.desktop")"

# One colour: a single click empties the board, (150 - 2)^2 + 1000 points.
click_in "$mine" 300 200
check "the game asks for a name" wait_for two_windows
import -window root "$work/name.png"
xdotool type Ada
xdotool key Return
check "the score is stored" wait_for has_score
check "above the earlier version's" eval 'reg_value _2n | grep -q "Grace$"'

# The About box in the player's prefix, with the fonts of the README's
# picture: the name and the address (right of the balls, below the credit
# line, which is Italian here) are the same pixels.
xdotool windowraise "$mine" key --window "$mine" i 2>/dev/null # it warns of no focus
wait_for two_windows
about=$(windows | grep -vx "$mine" | head -1)
import -window "$about" -crop +120+48 +repage "$work/about.png"
check "the About box has the fonts of the README's picture" eval \
    'compare -metric AE -subimage-search "$src/docs/dialog-about.png" "$work/about.png" null: 2>&1 | grep -q "^0 @"'
click_in "$about" 5 5
wait_for one_window
close_window "$mine"
wait_for game_is_gone "$game"
wait "$game"
check "the game ends by Alt+F4 and the launcher passes on its exit code 0" test $? -eq 0
timeout 30 wineserver -w # the registry is on disk

# The menu entry, run by GLib as a desktop runs it.
menu_entry() { gio launch "$entry"; }
install_as install "$exe" >/dev/null
start_and_check menu_entry "after a reinstall the game starts again from its menu entry" \
    "and the score is still there" has_score

install_as uninstall >"$work/uninstall.log"
check "uninstalling removes every installed file, and the prefix for new players" \
    test -z "$(files_under "$prefix" | grep -v '^./share/glomb/')"
check "uninstalling keeps the scores" grep -q '"_1s"=dword:00005978' "$WINEPREFIX/system.reg"
check "and says where they are" grep -q "$data" "$work/uninstall.log"

# The package, as make dist builds it.
version=$(sed -n 's/^version=//p' "$src/tools/make-dist.sh")
deb=$(SOURCE_DATE_EPOCH=$(date +%s) "$src/tools/linux/make-deb.sh" "$exe" "$work/deb" "$version")
check "lintian finds no error and no warning in the package" \
    lintian --fail-on error,warning "$deb"
check "its version is above 1.0.0.1, so that apt upgrades that package" \
    dpkg --compare-versions "$(dpkg-deb -f "$deb" Version)" gt 1.0.0.1
dpkg-deb -x "$deb" "$work/root"
appstreamcli compose --no-net --origin=glomb --result-root="$work/catalogue" "$work/root" \
    >"$work/compose.log" 2>&1
check "the software-centre catalogue lists the game with a 64-pixel icon" eval \
    'zgrep -q "<id>$id</id>" "$work/catalogue/usr/share/swcatalog/xml/glomb.xml.gz" &&
     test -f "$work/catalogue/usr/share/swcatalog/icons/glomb/64x64/$id.png"'

root=""
if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W glomb >/dev/null 2>&1; then
    package_installed=1
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        -o DPkg::Lock::Timeout=300 "$deb" >"$work/apt.log" 2>&1
    check "apt installs the package" dpkg-query -W glomb
else
    echo "skipped: a real installation (needs root and no other Glomb); using an unpacked one"
    root="$work/root"
    "$root/usr/lib/glomb/prepare-prefix" template "$root/var/lib/glomb/wine64" # as postinst does
fi
templates="$root/var/lib/glomb"
check "the installation made the prefix for new players, readable by all" \
    test "$(stat -c %a "$templates/wine64/" "$templates/wine64/system.reg")" = $'755\n644'

launcher=$(sed -n 's/^Exec="\(.*\)"$/\1/p' "$root/usr/share/applications/$id.desktop")
check "its menu entry starts /usr/games/glomb" test "$launcher" = /usr/games/glomb
start_and_check "$root$launcher" "the package's launcher starts the game, with the same data" \
    "and the score" has_score
# A new player, who as another user than root finds the prefix to copy
# in a folder of root's.
newcomer="$work/newcomer"
mkdir -p "$newcomer"
as_newcomer=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$newcomer"
    as_newcomer=(runuser -u nobody --)
fi
newcomer_starts() { "${as_newcomer[@]}" env HOME="$newcomer" "$root$launcher" >>"$log" 2>&1; }
newcomer_saved() {
    "${as_newcomer[@]}" env WINEPREFIX="$newcomer/.local/share/glomb/wine64" timeout 30 wineserver -w
    grep -q '"Lang"=dword' "$newcomer/.local/share/glomb/wine64/system.reg"
}
start_and_check newcomer_starts "and a new player's first start opens the game" \
    "from a copy of that prefix, which keeps the language in its 64-bit key" \
    eval '! grep -q "preparing Wine in $newcomer" "$log" && newcomer_saved'

if [ -z "$root" ]; then
    # As after an upgrade of Wine, which changes the wine.inf of libwine.
    printf '1\r\n' >"$templates/wine64/.update-timestamp"
    dpkg-trigger --no-await /usr/share/wine/wine.inf
    dpkg --triggers-only glomb >>"$work/apt.log" 2>&1
    check "a change of Wine's wine.inf makes the prefix for new players again" \
        grep -q "^$(stat -c %Y /usr/share/wine/wine.inf)" "$templates/wine64/.update-timestamp"
    apt-get remove -y -qq -o DPkg::Lock::Timeout=300 glomb >>"$work/apt.log" 2>&1
    check "removing the package takes the launcher away" test ! -e /usr/games/glomb
    apt-get purge -y -qq -o DPkg::Lock::Timeout=300 glomb >>"$work/apt.log" 2>&1
    check "after a purge nothing of the package is left, nor the prefix for new players" eval \
        '! dpkg-query -W glomb && [ ! -e "$templates" ] &&
         [ -z "$(cd "$work/root" && find . ! -type d -exec test -e /{} \; -print)" ]'
    check "and the player's scores are still there" grep -q '"_1s"=dword:00005978' "$WINEPREFIX/system.reg"
fi

# A Wine prefix takes room; keep it only to look into a failure.
[ $failed -eq 0 ] && rm -rf "$HOME" "$newcomer" "$work/root"
exit $failed
