#!/usr/bin/env python3
"""A corrupt record in frames/data/ stops the build with its holder named.

Copies the committed records, breaks one at a time, and runs the build step
that compiles them in (embed_records) on the set.

  corrupt_record_test.py EMBED_RECORDS RECORDS_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile

CASES = [
    ("Image12", lambda b: b[:4] + (7000).to_bytes(4, "little") + b[8:], "Image12: bitmap length 7000, expected 7062"),
    ("Image30", lambda b: b[:5000], "Image30: record holds 4992 bitmap bytes, its header states 7062"),
    ("Image1", lambda b: b"LT\0\0" + b[4:], "Image1: magic 4C 54 00 00, expected 6C 74 00 00"),
    ("Image54", lambda b: b[:8 + 28] + b"\x08" + b[8 + 29:], "Image54: bit depth 8, expected 1"),
]


def main():
    embed, records = sys.argv[1], sys.argv[2]
    failures = 0
    for holder, corrupt, message in CASES:
        with tempfile.TemporaryDirectory() as scratch:
            paths = []
            for number in range(1, 55):
                path = os.path.join(scratch, "Image%d.rec" % number)
                shutil.copyfile(os.path.join(records, "Image%d.rec" % number), path)
                paths.append(path)
            target = os.path.join(scratch, holder + ".rec")
            with open(target, "rb") as f:
                data = f.read()
            with open(target, "wb") as f:
                f.write(corrupt(data))
            run = subprocess.run([embed, os.path.join(scratch, "out.cpp")] + paths, capture_output=True, text=True)
            ok = run.returncode == 1 and run.stderr.strip() == "embed_records: " + message
            print("%s: %s -> status %d, %r" % ("ok" if ok else "FAILED", holder, run.returncode, run.stderr.strip()))
            failures += not ok
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
