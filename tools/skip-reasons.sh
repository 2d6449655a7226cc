#!/bin/sh
# After a CTest run in BUILD_DIR, prints each skipped test with the reason
# it gave (its output line starting "skipped:"); CTest's own summary names
# them without it.
#
#   skip-reasons.sh BUILD_DIR
log=${1:?usage: skip-reasons.sh BUILD_DIR}/Testing/Temporary/LastTest.log
[ -f "$log" ] || exit 0
awk '/^[0-9]+\/[0-9]+ Testing: / { name = $3 }
     /^skipped: / { sub(/^skipped: /, ""); printf "  %-28s skipped: %s\n", name, $0 }' "$log"
