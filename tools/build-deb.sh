#!/usr/bin/env bash
# Builds the Debian package build/quilmorant_VERSION_ARCH.deb with CPack.
# Install it with: apt-get install ./build/quilmorant_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/debian-packages.sh
install_debian_packages "${BUILD_PACKAGES[@]}" dpkg-dev file
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target quilmorant icons
(cd build && cpack -G DEB >/dev/null)
ls build/quilmorant_*.deb
