#!/bin/sh
# Replays a committed corpus (the template file's, "ini", unless another is named),
# then fuzzes for a short, seeded, bounded run on a scratch copy so the repository
# stays untouched.
# Usage: tests/fuzz/run-fuzz.sh <path-to-fuzz-target> [corpus]
set -eu

if [ $# -lt 1 ] || [ $# -gt 2 ] || [ ! -x "$1" ]; then
    echo "usage: $0 <path-to-fuzz-target> [corpus]" >&2
    exit 2
fi
fuzzer=$1
corpus=$(cd "$(dirname "$0")" && pwd)/corpus/${2:-ini}

# The target saves a file on every input; memory-backed storage keeps that fast.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    TMPDIR=/dev/shm
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/fuzz-ini-run-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/tmp"
cp "$corpus"/* "$work/corpus/"
# The target's own scratch files go with the rest.
TMPDIR=$work/tmp
export TMPDIR

echo "== replaying $corpus"
"$fuzzer" "$corpus"/*

echo "== fuzzing for at most 30 s"
# The progress lines go to a log; the summary and any failure are shown.
if ! "$fuzzer" -seed=1 -max_total_time=30 -max_len=4096 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1; then
    tail -n 60 "$work/log" >&2
    kept=$(mktemp -d /tmp/fuzz-ini-crash-XXXXXX)
    cp "$work"/crash-* "$work"/timeout-* "$work"/oom-* "$work"/leak-* "$kept/" 2>/dev/null || true
    echo "fuzzing failed; reproducers kept in $kept" >&2
    exit 1
fi
grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|Done|stat::number_of_executed_units|stat::new_units_added)' "$work/log"
