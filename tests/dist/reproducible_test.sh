#!/bin/bash
# Builds the release a second time, from a second clone at another path,
# later, in another time zone and under another umask, and checks that it
# is the same bit for bit: the same SHA256SUMS as the release made from
# this build tree. Only what the release needs is rebuilt.
#
#   reproducible_test.sh SOURCE_DIR WIN32_BUILD_DIR WIN64_BUILD_DIR WORK_DIR
set -uo pipefail

src=$(realpath "$1") build=$(realpath "$2") build64=$(realpath "$3") work=$4
if ! git -C "$src" rev-parse --verify -q HEAD >/dev/null; then
    echo "skipped: $src is not a git clone"
    exit 77
fi
rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
log="$work/log"

"$src/tools/make-dist.sh" "$build" "$build64" "$work/first" >"$log" 2>&1 || { cat "$log"; exit 1; }

# The same commit, with whatever this checkout changes on top of it.
clone="$work/elsewhere/glomb"
git clone -q "$src" "$clone" && git -C "$clone" checkout -q --detach "$(git -C "$src" rev-parse HEAD)" ||
    exit 1
(cd "$src" && git ls-files -z -m -o --exclude-standard | tar --null -T - --ignore-failed-read -cf -) |
    tar -xf - -C "$clone"
(cd "$src" && git ls-files -z -d) | (cd "$clone" && xargs -0r rm -f)

(
    umask 077
    export TZ=Pacific/Chatham
    cd "$clone" &&
        cmake --preset win32 &&
        cmake --build --preset win32 --target glomb &&
        cmake --preset win64 &&
        cmake --build --preset win64 --target glomb &&
        tools/make-dist.sh build/win32 build/win64 "$work/second"
) >>"$log" 2>&1 || { cat "$log"; exit 1; }

if cmp -s "$work/first/SHA256SUMS" "$work/second/SHA256SUMS"; then
    echo "ok: the second build at $clone gives the same release"
    cat "$work/first/SHA256SUMS"
    exit 0
fi
echo "FAIL: a second build of the same commit differs"
diff "$work/first/SHA256SUMS" "$work/second/SHA256SUMS"
for f in $(cd "$work/first" && ls); do
    [ "$f" = SHA256SUMS ] && continue
    cmp -s "$work/first/$f" "$work/second/$f" && continue
    echo "$f: $(cmp -l "$work/first/$f" "$work/second/$f" | wc -l) bytes differ; the first (offset, octal bytes):"
    cmp -l "$work/first/$f" "$work/second/$f" | head -5
done
exit 1
