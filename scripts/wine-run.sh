#!/usr/bin/env bash
# Runs a test program under Wine for CTest. When Wine itself fails to start the program
# (it exits at once having printed nothing: the program never ran), the start is made
# once more; a program that ran keeps its result, whatever it was.
# The output goes on to CTest as it comes: a test stopped at its timeout keeps what it printed.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
started=$(date +%s)
/usr/lib/wine/wine64 "$@" 2>&1 | tee "$out"
rc=${PIPESTATUS[0]}
if [ "$rc" -ne 0 ] && [ ! -s "$out" ] && [ $(( $(date +%s) - started )) -lt 2 ]; then
    echo "Wine did not start the program (exit $rc); starting it again"
    /usr/lib/wine/wine64 "$@" 2>&1
    rc=$?
fi
exit "$rc"
