#!/usr/bin/env bash
# Builds Quilmorant and starts it on this desktop.
#   1. installs the Debian packages the build needs (apt-get; only missing ones),
#   2. configures and builds the program in build/,
#   3. starts build/quilmorant.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/debian-packages.sh
install_debian_packages "${BUILD_PACKAGES[@]}"
echo "== Building build/quilmorant"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILMORANT_TESTS=OFF >/dev/null
cmake --build build --target quilmorant -j"$(nproc)"
echo "== Starting quilmorant (Esc or a double-click ends it)"
exec build/quilmorant
