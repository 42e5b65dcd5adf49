#!/usr/bin/env bash
# Builds the benchmarks (Release, build/bench) beside the public peers they are compared with,
# and runs each one. Extra arguments go to every benchmark binary (for example
# --benchmark_repetitions=10 --benchmark_report_aggregates_only=true).
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
tq_ensure_packages $TQ_BUILD_PACKAGES $TQ_TEST_PACKAGES

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTQ_TESTS=OFF -DTQ_BENCH=ON >/dev/null
cmake --build build/bench -j "$(tq_jobs)"
for b in build/bench/bench/*_bench; do
    echo "== $b"
    "$b" "$@"
done
