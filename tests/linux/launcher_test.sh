#!/bin/bash
# The launcher where the player's setup is at fault. Each case ends in one
# line that names the folder or setting and what to do, with a non-zero
# exit status, before the game starts; a first start killed half-way is
# made good by the next one; and the stored scores come through all of it
# untouched. The cases that need another owner or a small file system
# mount tmpfs or change owners, and run only as root.
#
#   launcher_test.sh SOURCE_DIR GLOMB_EXE WORK_DIR
set -uo pipefail

src=$(realpath "$1") exe=$(realpath "$2") work=$(realpath -m "$3")
rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home"
unset XDG_DATA_HOME WINE
data="$HOME/.local/share/glomb"
export WINEPREFIX="$data/wine" WINEDEBUG=-all
launcher="$work/prefix/bin/glomb"
PREFIX="$work/prefix" "$src/tools/linux/install.sh" install "$exe" >/dev/null

. "$src/tests/linux/checks.sh"
as_root=0
[ "$(id -u)" -eq 0 ] && as_root=1
mounts=()
small_fs() { # small_fs DIR SIZE: a tmpfs of SIZE at DIR
    mkdir -p "$1" && mount -t tmpfs -o "size=$2" tmpfs "$1" && mounts+=("$1")
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
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
notices() { xdotool search --onlyvisible --name '^Glomb$'; }
windows() { xdotool search --onlyvisible --classname '^glomb\.exe$'; }

check "DISPLAY unset" says "DISPLAY is not set" -u DISPLAY
check "DISPLAY naming no server" says "display :9999 named by DISPLAY does not answer" DISPLAY=:9999
check "WINE naming nothing" says "WINE=/nonexistent/wine names no Wine" WINE=/nonexistent/wine
check "WINE naming a program that fails" says "WINE=/bin/false names no Wine that runs" WINE=/bin/false
check "and started where no terminal shows it, the sentence also shows in a window" wait_for notices
for w in $(notices); do xdotool windowkill "$w"; done
check "HOME unset" says "HOME='' is not an absolute path" -u HOME
check "HOME empty" says "HOME='' is not an absolute path" HOME=
for name in 'say "cheese"' $'two\nlines' 'back\slash'; do
    check "a data folder named $(printf %q "$name")" \
        says "$(printf %q "$work/$name/glomb") (from XDG_DATA_HOME)" XDG_DATA_HOME="$work/$name"
done
check "none of these made a data folder" test ! -e "$HOME/.local/share"

if [ $as_root = 1 ] && small_fs "$work/small" 8m; then
    check "a first start on a full file system" \
        says "MB free, and preparing Wine for Glomb needs" XDG_DATA_HOME="$work/small"
    check "stops before Wine starts" test -z "$(ls "$work/small/glomb")"
else
    echo "skipped: a first start on a full file system (needs root and tmpfs)"
fi

# A first start killed 2 s in by the closing of its terminal (a hang-up
# for every process of its session), with a lock file of another user
# left behind by an earlier version.
mkdir -p "$data"
touch "$data/lock"
[ $as_root = 1 ] && chown nobody "$data/lock" && chmod 600 "$data/lock"
setsid "$launcher" >"$work/killed.log" 2>&1 &
killed=$!
wait_for test -d "$data/wine.new/drive_c"
sleep 2
kill -HUP -- "-$killed"
{ wait "$killed"; } 2>/dev/null
"$launcher" -1 >"$work/again.log" 2>&1 &
check "the next start after a first start killed half-way prepares again and opens the game" \
    wait_for windows
check "leaving no half-made prefix" test ! -e "$data/wine.new"
timeout 30 wineserver -k # the registry is on disk

# Copies of Wine's own files that Wine would load in full from the prefix.
fat_copies() {
    find "$data/wine/drive_c/windows" -type f -size +4k -print0 | xargs -0r grep -l 'Wine builtin DLL'
}
check "the prefix holds no full copy of Wine's own files" test -z "$(fat_copies)"
if [ -f /usr/share/wine/wine.inf ]; then
    # As after an upgrade of Wine, which would fill the prefix up again.
    printf '1\r\n' >"$data/wine/.update-timestamp"
    "$launcher" -1 >"$work/update.log" 2>&1 &
    check "after an update of Wine a notice shows" wait_for notices
    check "and the game opens" wait_for windows
    check "in a prefix up to date and slim again" eval \
        'grep -q "^$(stat -c %Y /usr/share/wine/wine.inf)" "$data/wine/.update-timestamp" && test -z "$(fat_copies)"'
    timeout 30 wineserver -k
fi
stored=$(cat "$data/wine"/*.reg | sha256sum)

if [ $as_root = 1 ]; then
    chown nobody "$data/wine"
    check "a prefix of another user" \
        says "$data/wine belongs to another user, and Wine runs only in a folder of yours"
    chown -R root: "$data/wine"
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
    test "$(cat "$data/wine"/*.reg | sha256sum)" = "$stored"

[ $failed -eq 0 ] && rm -rf "$HOME"
exit $failed
