#!/bin/bash
# The speed figures from one run, side by side, printed and written to a
# small report:
#
#   bench-report.sh NATIVE_BUILD WIN32_BUILD REPORT
#
# NATIVE_BUILD holds tests/bench/engine_bench; WIN32_BUILD holds
# ui/glomb.exe, tests/ui/ui_bench.exe and tests/robust/startup_bench.exe.
# The Windows programs run under Wine in a prefix of their own,
# WIN32_BUILD/bench-prefix, with a persistent wineserver, so Wine's own
# boot is never timed and a test run in the build tree is not disturbed.
# The machine may be shared and noisy: compare the ratios within one
# report rather than figures across reports.
set -eu

if [ $# -ne 3 ]; then
    echo "usage: $0 NATIVE_BUILD WIN32_BUILD REPORT" >&2
    exit 2
fi
NATIVE=$(realpath "$1")
WIN32=$(realpath "$2")
REPORT=$3
TOOLS=$(cd "$(dirname "$0")" && pwd)
RUN="$TOOLS/wine-run.sh"
PREFIX="$WIN32/bench-prefix"
STARTS=10   # start-ups timed, each in a process of its own
LAUNCHES=20 # launches of the game and of winemine each, taking turns

ENGINE_BENCH="$NATIVE/tests/bench/engine_bench"
GAME="$WIN32/ui/glomb.exe"
UI_BENCH="$WIN32/tests/ui/ui_bench.exe"
STARTUP_BENCH="$WIN32/tests/robust/startup_bench.exe"
for f in "$ENGINE_BENCH" "$GAME" "$UI_BENCH" "$STARTUP_BENCH"; do
    [ -f "$f" ] || { echo "bench-report: $f is missing" >&2; exit 1; }
done

OUT=$(mktemp -d)
trap 'rm -rf "$OUT"; "$RUN" "$PREFIX" --stop' EXIT

echo "engine benchmark (native) ..." >&2
"$ENGINE_BENCH" --benchmark_color=false >"$OUT/engine" 2>&1 || {
    cat "$OUT/engine" >&2
    exit 1
}

echo "Wine prefix and settings key ..." >&2
"$RUN" "$PREFIX" --setup
"$TOOLS/make-settings-key.sh" "$PREFIX" "$GAME"

echo "window events under Wine ..." >&2
"$RUN" "$PREFIX" "$UI_BENCH" | tr -d '\r' >"$OUT/ui"

echo "start-up under Wine ..." >&2
for _ in $(seq "$STARTS"); do
    "$RUN" "$PREFIX" "$STARTUP_BENCH" | tr -d '\r' >>"$OUT/start"
done
# The game beside Wine's own Minesweeper, a builtin small Win32 game,
# launched in turn so that a busy machine slows both alike.
echo "launches beside winemine under Wine ..." >&2
"$RUN" "$PREFIX" "$STARTUP_BENCH" "$LAUNCHES" "Z:${GAME//\//\\}" winemine.exe |
    tr -d '\r' >"$OUT/launch"

# The median of column $2 of the lines in file $1.
median() {
    awk -v c="$2" '{ print $c }' "$1" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

{
    echo "Glomb speed figures, $(date -u '+%Y-%m-%d %H:%M UTC'), one run on $(nproc) cores"
    echo "(engine natively at -O2; the rest under $("$RUN" "$PREFIX" --version) on Xvfb)"
    echo

    printf '%-52s %12s %12s %8s\n' "Engine, per call" "engine" "flood fill" "ratio"
    # The table that closes engine_bench's output: name, engine us, flood
    # us, ratio, allocations.
    awk '/engine us +flood us/ { table = 1; next }
         table && NF >= 5 {
             name = $1; for (i = 2; i <= NF - 4; i++) name = name " " $i
             printf "  %-50s %9.2f us %9.2f us %8.1f\n", name, $(NF-3), $(NF-2), $(NF-1)
         }' "$OUT/engine"
    echo

    printf '%-52s %12s %12s %8s\n' "Main window, per event through MainWndProc" "median" "p99" "ratio"
    awk '/events/ {
             name = $1; for (i = 2; $(i+1) != "events"; i++) name = name " " $i
             for (i = 1; i <= NF; i++) {
                 if ($i == "median") m = $(i+1)
                 if ($i == "p99") p = $(i+1)
             }
             if (!base) base = m
             printf "  %-50s %9.3f ms %9.3f ms %8.1f\n", name, m, p, m / base
         }' "$OUT/ui"
    grep -m1 '^cell size' "$OUT/ui" | sed 's/^/  (/; s/$/; ratio to the pointer move)/'
    echo

    printf '%-52s %12s\n' "Start-up to the first painted frame (median of $STARTS)" "time"
    settings=$(median "$OUT/start" 2)
    window=$(median "$OUT/start" 4)
    game=$(median "$OUT/start" 8)
    created=$(median "$OUT/start" 12)
    printf '  %-50s %9.2f ms\n' "settings loaded" "$settings"
    printf '  %-50s %9.2f ms\n' "window created, shown and painted" "$window"
    printf '  %-50s %9.2f ms\n' "first game dealt and painted" "$game"
    printf '  %-50s %9.2f ms\n' "the same from process creation (with the loader)" "$created"
    echo

    # Launches: "PROGRAM  median M  min A  max B  runs N" per program.
    printf '%-52s %12s %12s %8s\n' "Launched until it waits for input (median of $LAUNCHES)" \
        "time" "range" "ratio"
    awk '{ for (i = 2; i < NF; i += 2) v[$1, $i] = $(i + 1); name[NR] = $1 }
         END {
             base = v["winemine.exe", "median"]
             for (n = 1; n <= NR; n++)
                 printf "  %-50s %9.1f ms %12s %8.2f\n", name[n], v[name[n], "median"],
                        sprintf("%.0f-%.0f ms", v[name[n], "min"], v[name[n], "max"]),
                        v[name[n], "median"] / base
         }' "$OUT/launch"
    echo "  (winemine.exe: Wine's own Minesweeper, launched in turn with the game; ratio to it)"
    echo

    size=$(stat -c %s "$GAME")
    printf '%-52s %12s\n' "Executable" "size"
    # The build given may be the i686 one or, where no 32-bit code runs,
    # the x86_64 one: each is read with its own objdump.
    case $("$TOOLS/pe-bits.sh" "$GAME") in
    32) arch=i686 ;;
    *) arch=x86_64 ;;
    esac
    printf '  %-50s %9d bytes (%d KiB)\n' "glomb.exe, static, $arch" "$size" $((size / 1024))
    dump=$("$arch-w64-mingw32-objdump" -p "$GAME")
    printf '  %-50s %9d from %d DLLs\n' "functions imported" \
        "$(grep -Pc '^\t[0-9a-f]+\t +[0-9]+ ' <<<"$dump")" "$(grep -c 'DLL Name:' <<<"$dump")"
} >"$OUT/report"

mkdir -p "$(dirname "$REPORT")"
cp "$OUT/report" "$REPORT"
cat "$REPORT"
echo >&2
echo "written to $REPORT" >&2
