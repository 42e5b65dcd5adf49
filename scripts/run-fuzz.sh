#!/usr/bin/env bash
# Runs every fuzz target of a build for a bounded time on a scratch copy of its seed corpus.
# A crash, a sanitizer report or a time-out fails the run.
set -euo pipefail
build=$1
seconds=${2:-12}
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

status=0
for target in "$build"/fuzz/*_fuzz; do
    [ -x "$target" ] || continue
    name=$(basename "$target" _fuzz)
    mkdir -p "$scratch/$name"
    echo "== fuzz $name (${seconds}s)"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
        -artifact_prefix="$scratch/$name-" "$scratch/$name" "$root/fuzz/corpus/$name" \
        >"$scratch/$name.log" 2>&1; then
        tail -n 60 "$scratch/$name.log"
        echo "fuzz target $name failed"
        status=1
    else
        grep -E '^#[0-9]+ *DONE' "$scratch/$name.log" || tail -n 1 "$scratch/$name.log"
    fi
done
exit $status
