#!/usr/bin/env bash
# Builds the document reader's libFuzzer target with clang in fuzz-build/ and runs it.
#   fuzz/build.sh [SECONDS] [extra libFuzzer options...]
#   fuzz/build.sh --replay      build, then run the stored corpus once and stop
# Every accepted document also goes through a short calculation.
# New inputs go to fuzz-build/corpus (seeded from tests/fuzz/corpus), crashes to
# fuzz-build/crashes. To keep a finding, minimise the working corpus into the stored one:
#   fuzz-build/bin/vdx_reader_fuzzer -merge=1 tests/fuzz/corpus fuzz-build/corpus
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true

build=fuzz-build
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DVDX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$build" -j2 --target vdx_reader_fuzzer

export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
if [ "$seconds" = "--replay" ]; then
  mkdir -p "$build/crashes"
  exec "$build/bin/vdx_reader_fuzzer" -runs=0 -timeout=10 -artifact_prefix="$build/crashes/" tests/fuzz/corpus
fi

mkdir -p "$build/corpus" "$build/crashes"
cp -n tests/fuzz/corpus/* "$build/corpus/" 2>/dev/null || true
exec "$build/bin/vdx_reader_fuzzer" "$build/corpus" \
  -max_total_time="$seconds" -max_len=8192 -timeout=10 \
  -artifact_prefix="$build/crashes/" -print_final_stats=1 "$@"
