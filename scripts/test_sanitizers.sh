#!/usr/bin/env bash
# The whole unit and end-to-end suite again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer: any buffer overrun or undefined behaviour
# fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DTAMREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-asan -j2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest -j2 --output-on-failure)
