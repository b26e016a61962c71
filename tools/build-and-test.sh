#!/usr/bin/env bash
# Builds Quilmorant and runs its whole test suite.
#   1. installs the Debian packages the build and the tests need (apt-get; only missing ones),
#   2. configures and builds everything in build/,
#   3. runs every test with ctest: the unit tests, the byte-for-byte redraw of
#      the frame records, and the end-to-end tests, which start their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/debian-packages.sh
install_debian_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
echo "== Building in build/"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILMORANT_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
echo "== Running the tests"
ctest --test-dir build --output-on-failure -j2
