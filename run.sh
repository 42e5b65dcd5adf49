#!/usr/bin/env bash
# Builds the program (Release, build/release) and runs it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
tq_ensure_packages $TQ_BUILD_PACKAGES

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTQ_TESTS=OFF >/dev/null
cmake --build build/release -j "$(tq_jobs)"

program=build/release/libs/tqKivSetup/tsryconnectsetup
if [ -x "$program" ]; then
    exec "$program" "$@"
fi
echo "The libraries are built; there is no program to run yet."
