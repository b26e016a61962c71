#!/usr/bin/env bash
# Whole-program figures on a private Xvfb: quilmorant beside gifsicle's
# gifview and ImageMagick's animate playing the same frames as a GIF.
# Installs those players and libxtst-dev (apt-get) if missing; about 70 s.
#   tools/run-whole-program-bench.sh [SECONDS_PER_MEASURE]
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/debian-packages.sh
install_debian_packages "${BUILD_PACKAGES[@]}" libxtst-dev xvfb xauth gifsicle imagemagick
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target quilmorant window_probe >/dev/null
exec xvfb-run -a -s "-screen 0 800x600x24 -nolisten tcp" \
    python3 bench/whole_program.py build frames/data "${1:-10}"
