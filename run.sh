#!/usr/bin/env bash
# Builds the program (Release, build/release) and runs it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
# What the installation and the build print goes to standard error: standard output holds
# only what the program prints.
{
    tq_ensure_packages $TQ_BUILD_PACKAGES
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTQ_TESTS=OFF >/dev/null
    cmake --build build/release -j "$(tq_jobs)"
} >&2

program=build/release/libs/tqKivSetup/tsryconnectsetup
if [ -x "$program" ]; then
    exec "$program" "$@"
fi
echo "The libraries are built; there is no program to run yet." >&2
