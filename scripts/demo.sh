#!/usr/bin/env bash
# Installs what is missing, builds Corvane and shows the bundled sample
# database: its file geometry, boot page and catalog.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
sample="$build/samples/sample.mdf"
corvane="$build/cli/corvane"
"$corvane" info "$sample"
echo
"$corvane" tables "$sample"
echo
"$corvane" rows "$sample" dbo.Customers
echo
"$corvane" check "$sample"
