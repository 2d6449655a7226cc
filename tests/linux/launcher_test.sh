#!/bin/bash
# The launcher where the player's setup is at fault. Each case ends in one
# line that names the folder or setting and what to do, with a non-zero
# exit status, before the game starts. New players' first starts copy the
# installation's template, also two at once where locks fail as on NFS,
# over an earlier prefix that cannot be deleted; a start after an upgrade
# of Wine waits for the open game instead of ending it; a prefix without
# its registry is made again; with a template of an older Wine, or none,
# Wine prepares the prefix, and a first start killed half-way is made
# good by the next one, which takes over the scores of the 1.0.0.1
# package's 32-bit prefix; and the stored scores come through all of it
# untouched. The cases that need another owner, a small file system,
# another Wine or a folder that cannot be deleted mount tmpfs, bind
# mounts or change owners, and run only as root, in a mount namespace of
# the test's own.
#
#   launcher_test.sh SOURCE_DIR GLOMB_EXE WORK_DIR
set -uo pipefail

if [ "$(id -u)" -eq 0 ] && [ -z "${GLOMB_OWN_MOUNTS:-}" ]; then
    GLOMB_OWN_MOUNTS=1 exec unshare -m --propagation private bash "$0" "$@"
fi

src=$(realpath "$1") exe=$(realpath "$2") work=$(realpath -m "$3")
rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home"
unset XDG_DATA_HOME WINE
data="$HOME/.local/share/glomb"
export WINEPREFIX="$data/wine64" WINEDEBUG=-all
launcher="$work/prefix/bin/glomb"
template="$work/prefix/var/lib/glomb/wine64"
PREFIX="$work/prefix" "$src/tools/linux/install.sh" install "$exe" >/dev/null

. "$src/tests/linux/checks.sh"
as_root=0
[ "$(id -u)" -eq 0 ] && as_root=1
mounts=()
small_fs() { # small_fs DIR SIZE: a tmpfs of SIZE at DIR
    mkdir -p "$1" && mount -t tmpfs -o "size=$2" tmpfs "$1" && mounts+=("$1")
}

# A screen of our own, which does not reset whenever its last client
# leaves, so a start just then still finds it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
wait_for test -s "$work/display"
DISPLAY=":$(cat "$work/display")"
export DISPLAY
cleanup() {
    timeout 30 wineserver -k 2>/dev/null
    kill $xvfb 2>/dev/null
    for dir in "${mounts[@]}"; do umount -l "$dir" 2>/dev/null; done
}
trap cleanup EXIT

# says TEXT [ENV-ARGS...]: the launcher fails with one line holding TEXT.
says() {
    local out
    out=$(env "${@:2}" "$launcher" 2>&1) && return 1
    [ "$(wc -l <<<"$out")" -eq 1 ] && grep -qF -- "$1" <<<"$out"
}
windows() { xdotool search --onlyvisible --classname '^glomb\.exe$'; }
notices() { xdotool search --onlyvisible --name '^Glomb$' | grep -vxF "$(windows)"; }
games() { [ "$(windows | wc -l)" -eq "$1" ]; }
close_notices() { for w in $(notices); do xdotool windowkill "$w"; done; }

check "DISPLAY unset" says "DISPLAY is not set" -u DISPLAY
check "DISPLAY naming no server" says "display :9999 named by DISPLAY does not answer" DISPLAY=:9999
check "WINE naming nothing" says "WINE=/nonexistent/wine names no Wine" WINE=/nonexistent/wine
check "WINE naming a program that fails" says "WINE=/bin/false names no Wine that runs" WINE=/bin/false
check "and started where no terminal shows it, the sentence also shows in a window" wait_for notices
close_notices
check "HOME unset" says "HOME='' is not an absolute path" -u HOME
check "HOME empty" says "HOME='' is not an absolute path" HOME=
for name in 'say "cheese"' $'two\nlines' 'back\slash'; do
    check "a data folder named $(printf %q "$name")" \
        says "$(printf %q "$work/$name/glomb") (from XDG_DATA_HOME)" XDG_DATA_HOME="$work/$name"
done
check "none of these made a data folder" test ! -e "$HOME/.local/share"

if [ $as_root = 1 ]; then
    mkdir "$work/no-wine"
    mount --bind "$work/no-wine" /usr/lib/wine
    check "a PC without wine64" says "install it with: sudo apt install wine64"
    umount /usr/lib/wine
    # From here on wine32 is installed on a PC that runs no 32-bit code:
    # its loader is there and fails.
    cp -a /usr/lib/wine "$work/dead-wine32"
    printf '#!/bin/sh\nexit 126\n' >"$work/dead-wine32/wine"
    chmod 755 "$work/dead-wine32/wine"
    mount --bind "$work/dead-wine32" /usr/lib/wine
else
    echo "skipped: a PC without wine64, and one with a wine32 that cannot run (need root)"
fi

if [ $as_root = 1 ] && small_fs "$work/small" 8m; then
    check "a first start on a full file system" \
        says "MB free, and preparing Wine for Glomb needs" XDG_DATA_HOME="$work/small"
    check "stops before Wine starts" test -z "$(find "$work/small/glomb" -name 'wine64*' -type d)"
else
    echo "skipped: a first start on a full file system (needs root and tmpfs)"
fi

# Two new players' first starts at once, with a flock that fails as it
# does on NFS, over the earlier 64-bit prefix (a score under Wow6432Node)
# that cannot be deleted, as when files of a run under sudo are in it.
newcomer="$work/newcomer/glomb"
mkdir -p "$newcomer/prefix" "$work/nfs"
printf '%s\n' 'WINE REGISTRY Version 2' ';; All keys relative to REGISTRY\\Machine' '' \
    '#arch=win64' '' '[Software\\Wow6432Node\\Kesti Glomb] 1796794271' \
    '"_1n"="Eve\0\0\0\0\0\0\0\0\0\0\0\0\0"' '"_1s"=dword:00000457' >"$newcomer/prefix/system.reg"
if [ $as_root = 1 ]; then
    mount --bind -o ro "$newcomer/prefix" "$newcomer/prefix" && mounts+=("$newcomer/prefix")
else
    chmod a-w "$newcomer/prefix"
fi
printf '#!/bin/sh\necho "flock: 9: Bad file descriptor" >&2\nexit 65\n' >"$work/nfs/flock"
chmod 755 "$work/nfs/flock"
for n in 1 2; do
    PATH="$work/nfs:$PATH" XDG_DATA_HOME="$work/newcomer" "$launcher" -1 >"$work/nfs$n.log" 2>&1 &
done
check "two first starts at once, where locks fail, both open the game" wait_for games 2
check "from the template, with no preparing of Wine" \
    eval '! grep -q "preparing Wine in" "$work"/nfs?.log'
check "a lock that fails is a warning" grep -q 'warning: .*prepare.lock cannot be locked' "$work/nfs1.log"
check "an earlier prefix that cannot be deleted is left, and said to be" eval \
    'grep -q "$newcomer/prefix cannot be deleted" "$work"/nfs?.log && test -f "$newcomer/prefix/system.reg"'
check "leaving no half-made prefix" test -z "$(find "$work/newcomer" -name 'wine64.new*')"
WINEPREFIX="$newcomer/wine64"
check "its score came along" eval 'reg_value _1n | grep -q "Eve$"'
check "the prefix's links to the player's folders lead to their home" \
    test "$(readlink "$WINEPREFIX/drive_c/users/glomb/Documents")" = "$HOME"
timeout 30 wineserver -k
timeout 30 wineserver -w

# A game open when Wine is upgraded (which a stale stamp stands for) and
# the player starts another one: updating would end the open game.
XDG_DATA_HOME="$work/newcomer" "$launcher" -1 >>"$work/open.log" 2>&1 &
open=$!
wait_for games 1
printf '1\r\n' >"$WINEPREFIX/.update-timestamp"
XDG_DATA_HOME="$work/newcomer" "$launcher" -2 >"$work/second.log" 2>&1 &
check "a start after an upgrade of Wine, with a game open, asks to close that one" \
    wait_for grep -q "close the Glomb that is open" "$work/second.log"
check "with a notice" wait_for notices
sleep 2
check "and the open game lives on" eval 'kill -0 $open && games 1'
kill $open
check "once it is closed, Wine is updated and the game opens" wait_for games 1
check "in a prefix up to date" \
    grep -q "^$(stat -c %Y /usr/share/wine/wine.inf)" "$WINEPREFIX/.update-timestamp"
check "which kept the score" eval 'reg_value _1n | grep -q "Eve$"'
timeout 30 wineserver -k
timeout 30 wineserver -w
rm -f "$WINEPREFIX"/*.reg
XDG_DATA_HOME="$work/newcomer" "$launcher" -1 >"$work/lost.log" 2>&1 &
check "a prefix that has lost its registry is prepared again" \
    wait_for grep -q "has lost its registry files" "$work/lost.log"
check "and the game opens" wait_for games 1
timeout 30 wineserver -k
timeout 30 wineserver -w
export WINEPREFIX="$data/wine64"

# A first start with a template of an older Wine, killed 2 s in by the
# closing of its terminal (a hang-up for every process of its session),
# over the 1.0.0.1 package's 32-bit prefix with a score and the language
# Italian (0), and a lock file of another user left behind by an earlier
# version; then the next start without a template.
mkdir -p "$data/wine"
printf '%s\n' 'WINE REGISTRY Version 2' ';; All keys relative to REGISTRY\\Machine' '' \
    '#arch=win32' '' '[Software\\Kesti Glomb] 1796794271' '#time=1dd879e80593028' \
    '"_1n"="Lin\0\0\0\0\0\0\0\0\0\0\0\0\0"' '"_1s"=dword:00000457' '"Lang"=dword:00000000' \
    >"$data/wine/system.reg"
touch "$data/lock"
[ $as_root = 1 ] && chown nobody "$data/lock" && chmod 600 "$data/lock"
printf '1\r\n' >"$template/.update-timestamp"
close_notices
setsid "$launcher" >"$work/killed.log" 2>&1 &
killed=$!
check "a template of another Wine: Wine prepares the prefix, with a notice" wait_for notices
check "and a second start meanwhile only says so" \
    eval '"$launcher" 2>&1 | grep -q "another start of Glomb is preparing Wine"'
wait_for eval 'ls -d "$data"/wine64.new.*/drive_c'
sleep 2
kill -HUP -- "-$killed"
{ wait "$killed"; } 2>/dev/null
rm -rf "$work/prefix/var"
"$launcher" -1 >"$work/again.log" 2>&1 &
check "without a template, the next start after one killed half-way prepares again and opens the game" \
    wait_for windows
check "leaving no half-made prefix" test -z "$(find "$data" -name 'wine64.new*')"
check "the 1.0.0.1 package's score and language came along" \
    eval 'reg_value _1n | grep -q "Lin$" && reg_value Lang | grep -q "0x0$"'
check "and its 32-bit prefix is gone" test ! -e "$data/wine"
timeout 30 wineserver -k # the registry is on disk

# Copies of Wine's own files that Wine would load in full from the prefix.
fat_copies() {
    find "$data/wine64/drive_c" -type f -size +4k -print0 | xargs -0r grep -l 'Wine builtin DLL'
}
check "the prefix holds no full copy of Wine's own files" test -z "$(fat_copies)"
stored=$(cat "$data/wine64"/*.reg | sha256sum)

if [ $as_root = 1 ]; then
    chown nobody "$data/wine64"
    check "a prefix of another user" \
        says "$data/wine64 belongs to another user, and Wine runs only in a folder of yours"
    chown -R root: "$data/wine64"
    mount --bind -o ro "$data" "$data" && mounts+=("$data")
else
    chmod a-w "$data"
fi
out=$(XDG_DATA_HOME=relative "$launcher" 2>&1)
check "a read-only data folder stops the launcher" test $? -ne 0
check "a relative XDG_DATA_HOME is ignored, and said to be" \
    grep -q "XDG_DATA_HOME=relative is not an absolute path, so it is ignored" <<<"$out"
check "a read-only data folder" grep -qF "$data, which holds Glomb's scores, is read-only" <<<"$out"
[ $as_root = 1 ] && umount "$data" || chmod u+w "$data"

if [ $as_root = 1 ] && small_fs "$work/full" "$(($(du -sk "$data" | cut -f1) + 512))k"; then
    cp -a "$data" "$work/full/"
    dd if=/dev/zero of="$work/full/filler" bs=64k 2>/dev/null
    check "a full data folder before the game starts" \
        says "$work/full/glomb is full" XDG_DATA_HOME="$work/full"
    check "and the game did not start" eval '! windows'
else
    echo "skipped: a full data folder (needs root and tmpfs)"
fi
check "the stored scores and settings are untouched" \
    test "$(cat "$data/wine64"/*.reg | sha256sum)" = "$stored"

[ $failed -eq 0 ] && rm -rf "$HOME"
exit $failed
