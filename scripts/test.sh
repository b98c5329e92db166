#!/usr/bin/env bash
# Builds Corvane with AddressSanitizer + UndefinedBehaviorSanitizer and runs
# every test (unit tests, builder round trips, the real-file corpus checks).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh --core
build=build/sanitize
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_SANITIZE=ON \
      -DCORVANE_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" -j "$(nproc)" --output-on-failure
