#!/usr/bin/env bash
# Builds the core, vdxtool and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/ and runs those tests.
# The GUI stays out: wxWidgets and GTK are not built with the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-sanitize
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVDX_SANITIZE=ON \
      -DVDX_BUILD_GUI=OFF -DVDX_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$dir"
ctest --output-on-failure -j"$(nproc)" "$@"
