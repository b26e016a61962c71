#!/usr/bin/env bash
# Remakes the README's pictures from the real program and the real records:
#   docs/window.png   a screenshot of the running window (on a private Xvfb)
#   docs/lift0.gif    the 18 phases of lift 0 as an animated GIF, 5 a second
# Needs the build (tools/build-and-test.sh or tools/build-and-run.sh) and
# Debian's xvfb, xdotool, x11-apps and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/debian-packages.sh
install_debian_packages xvfb xauth xdotool x11-apps imagemagick
cmake --build build --target quilmorant >/dev/null
mkdir -p docs
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for phase in $(seq 0 17); do
    tail -c 7062 "frames/data/Image$((phase + 1)).rec" > "$scratch/phase$(printf %02d "$phase").bmp"
done
convert -delay 20 -loop 0 "$scratch"/phase*.bmp docs/lift0.gif

# The window three ticks in: slot 3 of lift 0, with its border.
cat > "$scratch/shoot.sh" <<'SHOT'
set -euo pipefail
build/quilmorant & program=$!
window=$(xdotool search --sync --name '^Quilmorant In 3Lifts' | head -n 1)
sleep 3.5
xwd -id "$window" -silent > "$1/window.xwd"
kill "$program"
SHOT
xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp" bash "$scratch/shoot.sh" "$scratch"
convert "$scratch/window.xwd" docs/window.png
echo "wrote docs/window.png and docs/lift0.gif"
