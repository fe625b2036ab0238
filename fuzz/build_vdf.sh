#!/usr/bin/env bash
# Builds the ticket format reader's libFuzzer target with clang in fuzz-build/ and runs it.
#   fuzz/build_vdf.sh [SECONDS] [extra libFuzzer options...]
# New inputs go to fuzz-build/vdf_corpus (seeded from tests/fuzz/vdf_corpus), crashes to
# fuzz-build/vdf_crashes. To keep a finding, minimise the working corpus into the stored one:
#   fuzz-build/bin/vdf_reader_fuzzer -merge=1 tests/fuzz/vdf_corpus fuzz-build/vdf_corpus
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true

build=fuzz-build
cmake -S . -B "$build" -DVDX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target vdf_reader_fuzzer

mkdir -p "$build/vdf_corpus" "$build/vdf_crashes"
cp -n tests/fuzz/vdf_corpus/* "$build/vdf_corpus/" 2>/dev/null || true
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
exec "$build/bin/vdf_reader_fuzzer" "$build/vdf_corpus" \
  -max_total_time="$seconds" -max_len=256 -timeout=10 \
  -artifact_prefix="$build/vdf_crashes/" -print_final_stats=1 "$@"
