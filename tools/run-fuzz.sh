#!/usr/bin/env bash
# Fuzzes the frame record decoder with libFuzzer (clang-14, AddressSanitizer,
# UndefinedBehaviorSanitizer) for a chosen time, 60 seconds by default:
#   tools/run-fuzz.sh [SECONDS]
# Seeds: the 54 committed records and a few small corrupt ones. Builds in
# build-fuzz/; needs clang-14 and libclang-rt-14-dev (tools/build-and-test.sh
# installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CXX=clang++-14 cmake -S . -B build-fuzz -DQUILMORANT_FUZZ=ON -DQUILMORANT_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz --target record_fuzzer -j"$(nproc)" >/dev/null
seeds=build-fuzz/seeds corpus=build-fuzz/corpus
rm -rf "$seeds" "$corpus" && mkdir -p "$seeds" "$corpus"
cp frames/data/*.rec "$seeds"/
head -c 7 frames/data/Image1.rec > "$seeds"/header-cut
head -c 62 frames/data/Image1.rec > "$seeds"/bitmap-cut
head -c 7069 frames/data/Image2.rec > "$seeds"/one-byte-short
{ cat frames/data/Image3.rec; printf 'x'; } > "$seeds"/one-byte-long
{ printf 'lt\0\0\x58\x1b\0\0'; tail -c 7062 frames/data/Image4.rec; } > "$seeds"/length-7000
echo "== Fuzzing the record decoder for ${seconds} s"
status=0
build-fuzz/record_fuzzer -max_total_time="$seconds" -print_final_stats=1 -max_len=8192 -artifact_prefix=build-fuzz/ \
    "$corpus" "$seeds" > build-fuzz/fuzz.log 2>&1 || status=$?
grep -E '^#[0-9]+\s+(INITED|DONE)|^Done|^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' \
    build-fuzz/fuzz.log || true
if [ "$status" -ne 0 ]; then
    echo "== The fuzzer found a problem (status $status):"
    tail -n 60 build-fuzz/fuzz.log
    exit "$status"
fi
echo "== No crash, no sanitizer report"
