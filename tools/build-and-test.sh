#!/usr/bin/env bash
# Builds Quilmorant and runs its whole test suite, in three builds:
#   1. installs the Debian packages the builds and the tests need (apt-get;
#      only the missing ones),
#   2. build/: the program as shipped; ctest runs the unit tests, the
#      byte-for-byte redraw of the frame records, the corrupt-record build
#      check, the end-to-end tests and a 60 s soak on private Xvfb servers,
#   3. build-sanitize/: everything with AddressSanitizer and
#      UndefinedBehaviorSanitizer; the unit tests, and the real binary under
#      Xvfb until Esc, must run without a report,
#   4. build-fuzz/: the record decoder under libFuzzer for
#      QUILMORANT_FUZZ_SECONDS (default 60) seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/debian-packages.sh
install_debian_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" clang-14 libclang-rt-14-dev

echo "== Building in build/"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILMORANT_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
echo "== Running the tests"
ctest --test-dir build --output-on-failure -j2

echo "== Building with the sanitizers in build-sanitize/"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUILMORANT_SANITIZE=ON -DQUILMORANT_TESTS=ON >/dev/null
cmake --build build-sanitize -j"$(nproc)"
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
echo "== Running the unit tests and the real binary with the sanitizers"
ctest --test-dir build-sanitize --output-on-failure -j2 -E '^(e2e_|soak)'
ctest --test-dir build-sanitize --output-on-failure -R '^e2e_(esc_ends|mouse_drive)$'
unset ASAN_OPTIONS UBSAN_OPTIONS

tools/run-fuzz.sh "${QUILMORANT_FUZZ_SECONDS:-60}"
echo "== All test stages passed"
