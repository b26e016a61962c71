#!/usr/bin/env python3
"""Whole-program figures for quilmorant beside two GIF players, on one Xvfb.

For each program and pace, bench/window_probe starts it, times the first and
second frame from the exec, then counts over a span the processor time it
used and the images it put on screen. The peers play the same 18 frames of
lift 0 as an animated GIF: gifsicle's gifview and ImageMagick's animate.

  whole_program.py BUILD_DIR RECORDS_DIR [SECONDS]
"""

import os
import subprocess
import sys
import tempfile

BUILD, RECORDS = sys.argv[1], sys.argv[2]
SECONDS = float(sys.argv[3]) if len(sys.argv) > 3 else 10
PROBE = os.path.join(BUILD, "window_probe")
RECORD = lambda n: os.path.join(RECORDS, "Image%d.rec" % n)


def probe(name, command, pointer=None, first=1, second=2):
    args = [PROBE, "--name", name, "--first", RECORD(first), "--second", RECORD(second),
            "--at", "2,2" if name.startswith("Quilmorant") else "0,0", "--seconds", str(SECONDS)]
    if pointer:
        args += ["--pointer", pointer]
    out = subprocess.run(args + ["--"] + command, capture_output=True, text=True, check=True).stdout
    return dict((k, float(v)) for k, v in (field.split("=") for field in out.split()))


def gifs(scratch):
    frames = []
    for phase in range(18):
        path = os.path.join(scratch, "p%02d.bmp" % phase)
        with open(RECORD(phase + 1), "rb") as f, open(path, "wb") as out:
            out.write(f.read()[8:])
        frames.append(path)
    slow, fast = os.path.join(scratch, "slow.gif"), os.path.join(scratch, "fast.gif")
    subprocess.run(["convert", "-delay", "100", "-loop", "0"] + frames + [slow], check=True)
    subprocess.run(["convert", "-delay", "0", "-loop", "0"] + frames + [fast], check=True)
    return slow, fast


def main():
    binary = os.path.join(BUILD, "quilmorant")
    with tempfile.TemporaryDirectory() as scratch:
        slow, fast = gifs(scratch)
        rows = [
            ("quilmorant", "1 frame/s", probe("Quilmorant In 3Lifts", [binary])),
            ("quilmorant", "full speed", probe("Quilmorant In 3Lifts", [binary], pointer="2,2")),
            ("gifview", "1 frame/s", probe("gifview:", ["gifview", "-a", slow])),
            ("gifview", "full speed", probe("gifview:", ["gifview", "-a", "--min-delay", "0", fast])),
            ("animate", "1 frame/s", probe("ImageMagick:", ["animate", "-delay", "100", slow])),
            ("animate", "full speed", probe("ImageMagick:", ["animate", "-delay", "0", fast])),
        ]
    print("| program | pace | window (ms) | first frame (ms) | second frame (ms) | CPU per 10 s (s) "
          "| images shown per s | CPU per image (µs) | peak RSS (MiB) |")
    print("|---|---|---|---|---|---|---|---|---|")
    for program, pace, r in rows:
        cpu10 = r["cpu_s"] * 10 / r["seconds"]
        per_s = r["images"] / r["seconds"]
        per_image = r["cpu_s"] / r["images"] * 1e6 if r["images"] else float("nan")
        print("| %s | %s | %.0f | %.0f | %.0f | %.3f | %.0f | %.0f | %.1f |"
              % (program, pace, r["window_ms"], r["first_ms"], r["second_ms"], cpu10, per_s, per_image,
                 r["peak_kib"] / 1024))
    print()
    print("quilmorant's second frame is its first tick's; a peer's is its second GIF frame. At full speed")
    print("every quilmorant tick shows a new frame, so its CPU per 1,000 ticks is 1,000 x its CPU per image.")


if __name__ == "__main__":
    main()
