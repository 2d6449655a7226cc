#!/bin/bash
# Builds the engine fuzz target with clang's libFuzzer (plus ASan and
# UBSan) and runs it for a bounded time.
#
#   fuzz-engine.sh WORKDIR [SECONDS]     default 20 s; `make fuzz` runs longer
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
work=${1:?usage: fuzz-engine.sh WORKDIR [SECONDS]}
seconds=${2:-20}
mkdir -p "$work/corpus"

clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$here" "$here"/engine/{board,move,game,random}.cpp "$here/tests/fuzz/engine_fuzz.cpp" \
    -o "$work/engine_fuzz"

# A few deterministic starting boards with clicks, so the fuzzer does not
# have to discover the 151-byte minimum by itself.
RANDOM=1
for n in 1 2 3 4 5 6 7 8; do
    f="$work/corpus/seed$n"
    [ -f "$f" ] && continue
    for _ in $(seq 400); do printf "\\x$(printf %02x $((RANDOM % 256)))"; done >"$f"
done

"$work/engine_fuzz" -seed=1 -max_len=1024 -max_total_time="$seconds" -print_final_stats=1 \
    "$work/corpus" 2>&1 | tail -n 40
