#!/usr/bin/env bash
# Measures the pause on the real platform and the program's peak memory.
# Builds bench/pause_bench and runs it on $DISPLAY, or on a private Xvfb when
# there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target pause_bench -j"$(nproc)"
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp" build/pause_bench
fi
exec build/pause_bench
