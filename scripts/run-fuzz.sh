#!/usr/bin/env bash
# Runs every fuzz target of a build for a bounded time on a scratch copy of its seed corpus,
# several targets at once. A crash, a sanitizer report, a leak, a slow input, running out of
# memory or a target that outlives its time limit fails the run. What a failing target found
# is kept in <build>/fuzz-findings/<target>/ (named in the output, and printed in base64 when
# small), so that the input survives the scratch folder.
#   scripts/run-fuzz.sh <build> [seconds per target] [targets at once]
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-12}
parallel=${3:-$(nproc 2>/dev/null || echo 2)}
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
findings=$build/fuzz-findings
rm -rf "$findings"

# fuzz_one <target>: runs one target; its output goes to $scratch/<name>.log, its verdict to
# $scratch/<name>.status. libFuzzer stops itself after max_total_time; the outer limit catches
# a target that hangs outside an input (start-up, a merge, an exit that never comes).
fuzz_one() {
    local target=$1 name status=0
    name=$(basename "$target" _fuzz)
    mkdir -p "$scratch/$name/corpus" "$scratch/$name/artifacts"
    timeout --kill-after=10 $((seconds + 60)) \
        "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$scratch/$name/artifacts/" "$scratch/$name/corpus" \
        "$root/fuzz/corpus/$name" >"$scratch/$name.log" 2>&1 || status=$?
    echo "$status" >"$scratch/$name.status"
}

targets=()
for target in "$build"/fuzz/*_fuzz; do
    [ -x "$target" ] && targets+=("$target")
done
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
    fuzz_one "$target" &
done
wait

failed=0
for target in "${targets[@]}"; do
    name=$(basename "$target" _fuzz)
    status=$(cat "$scratch/$name.status")
    if [ "$status" -eq 0 ]; then
        stat() { sed -n "s/^stat::$1: *//p" "$scratch/$name.log"; }
        echo "== fuzz $name: clean, $(stat number_of_executed_units) runs in ${seconds}s," \
            "$(stat new_units_added) new units, peak $(stat peak_rss_mb) MB"
        continue
    fi
    failed=$((failed + 1))
    echo "== fuzz $name FAILED (exit $status$([ "$status" -eq 124 ] && echo ': outer time limit'))"
    tail -n 60 "$scratch/$name.log"
    mkdir -p "$findings/$name"
    cp "$scratch/$name.log" "$findings/$name/"
    for artifact in "$scratch/$name/artifacts"/*; do
        [ -f "$artifact" ] || continue
        cp "$artifact" "$findings/$name/"
        echo "finding kept: $findings/$name/$(basename "$artifact")"
        if [ "$(stat -c %s "$artifact")" -le 4096 ]; then
            echo "base64 of $(basename "$artifact"):"
            base64 "$artifact"
        fi
    done
    echo "log and findings of $name kept in $findings/$name"
done
echo "fuzz: ${#targets[@]} targets, $failed failed"
[ "$failed" -eq 0 ]
