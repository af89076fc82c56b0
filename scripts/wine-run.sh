#!/usr/bin/env bash
# Runs a test program under Wine for CTest. When Wine itself fails to start the program
# (it exits at once having printed nothing: the program never ran), the start is made
# once more; a program that ran keeps its result, whatever it was.
# The output is passed on as it comes, so that a test stopped at its timeout keeps what it
# printed; through a file, not a pipe, whose end would wait for every process holding it (a
# Wine service started by the test lives on after it).
out=$(mktemp)
trap 'rm -f "$out"' EXIT
run() {
    /usr/lib/wine/wine64 "$@" >"$out" 2>&1 &
    local pid=$!
    tail -n +1 -s 0.2 -f --pid="$pid" "$out" &
    local follower=$!
    wait "$pid"
    rc=$?
    wait "$follower"
}
started=$(date +%s)
run "$@"
if [ "$rc" -ne 0 ] && [ ! -s "$out" ] && [ $(( $(date +%s) - started )) -lt 2 ]; then
    echo "Wine did not start the program (exit $rc); starting it again"
    run "$@"
fi
exit "$rc"
