#!/usr/bin/env bash
# Builds and runs the test suite. CALVETRA_SANITIZE=ON builds with ASan+UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${CALVETRA_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCALVETRA_SANITIZE="${CALVETRA_SANITIZE:-OFF}" >/dev/null
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
