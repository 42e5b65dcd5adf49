#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (build/asan) and runs
# every test through ctest; builds every test binary again with ThreadSanitizer (build/tsan)
# and in the plain Release build (build/release-tests) and runs them; then runs each fuzz
# target for a bounded time on its seed corpus. The xmltest cases run when TQ_XMLTEST_DIR
# names James Clark's xmltest folder.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
tq_ensure_packages $TQ_BUILD_PACKAGES $TQ_TEST_PACKAGES
scripts/make-locales.sh

jobs=$(tq_jobs)
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTQ_SANITIZE=ON -DTQ_WERROR=ON \
    -DTQ_BENCH=ON >/dev/null
cmake --build build/asan -j "$jobs"
export ASAN_OPTIONS=abort_on_error=0:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/asan --output-on-failure -j "$jobs" --timeout 300

cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTQ_TSAN=ON -DTQ_WERROR=ON >/dev/null
cmake --build build/tsan -j "$jobs"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir build/tsan --output-on-failure -j "$jobs" --timeout 300

# The plain Release build that run.sh makes, so that a test leaning on the sanitizers'
# allocator, or a fault that only optimisation shows, is seen too.
cmake -S . -B build/release-tests -G Ninja -DCMAKE_BUILD_TYPE=Release -DTQ_WERROR=ON >/dev/null
cmake --build build/release-tests -j "$jobs"
ctest --test-dir build/release-tests --output-on-failure -j "$jobs" --timeout 300

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTQ_FUZZ=ON -DTQ_TESTS=OFF \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build/fuzz -j "$jobs"
scripts/run-fuzz.sh build/fuzz "${TQ_FUZZ_SECONDS:-12}"
echo "All tests and fuzz runs passed."
