#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite with CTest.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
# The fuzz target builds with clang only; build it and replay its corpus so it cannot rot.
fuzz/build.sh --replay
cd build
ctest --output-on-failure -j"$(nproc)" "$@"
# Core, vdxtool and their tests again under AddressSanitizer and UBSan.
../tools/sanitize.sh "$@"
