#!/usr/bin/env python3
"""What a person installs: the command line, the desktop entry, the icons,
an install into a scratch prefix, and the Debian package.

  install_test.py BUILD_DIR SOURCE_DIR
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

BUILD, SOURCE = sys.argv[1], sys.argv[2]
BINARY = os.path.join(BUILD, "quilmorant")
SIZES = (16, 32, 48, 64, 128, 256)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path + " is not a PNG"
    assert head[12:16] == b"IHDR", path + " has no IHDR first"
    return struct.unpack(">II", head[16:24])


class CommandLine(unittest.TestCase):
    def run_binary(self, *args):
        return subprocess.run([BINARY, *args], capture_output=True, text=True, timeout=10,
                              env={k: v for k, v in os.environ.items() if k != "DISPLAY"})

    def test_help_lists_keys_and_pointer(self):
        run = self.run_binary("--help")
        self.assertEqual(run.returncode, 0)
        self.assertEqual(run.stderr, "")
        for words in ("usage: quilmorant", "run backward", "run forward", "space", "Esc", "click",
                      "double-click", "mouse-drive"):
            self.assertIn(words, run.stdout)

    def test_version(self):
        run = self.run_binary("--version")
        self.assertEqual((run.returncode, run.stdout, run.stderr), (0, "quilmorant 1.0.0\n", ""))

    def test_anything_else_is_a_one_line_usage_error(self):
        for args in (["-h"], ["--helpme"], ["file.txt"], ["--help", "--version"], ["--version", "x"], [""]):
            run = self.run_binary(*args)
            self.assertEqual(run.returncode, 2, args)
            self.assertEqual(run.stdout, "", args)
            self.assertEqual(run.stderr.count("\n"), 1, args)
            self.assertTrue(run.stderr.startswith("quilmorant: unexpected argument"), run.stderr)
            self.assertIn("usage: quilmorant [--help | --version]", run.stderr)


class Install(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        cls.prefix = cls.scratch.name
        subprocess.run(["cmake", "--install", BUILD, "--prefix", cls.prefix], check=True, capture_output=True)

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def test_desktop_entry_validates(self):
        if shutil.which("desktop-file-validate") is None:
            self.fail("desktop-file-validate is missing (Debian desktop-file-utils)")
        run = subprocess.run(["desktop-file-validate", os.path.join(SOURCE, "desktop", "quilmorant.desktop")],
                             capture_output=True, text=True)
        self.assertEqual((run.returncode, run.stdout + run.stderr), (0, ""))

    def test_install_puts_every_file_in_its_place(self):
        prefix = self.prefix
        expected = {"bin/quilmorant", "share/applications/quilmorant.desktop", "share/man/man1/quilmorant.1"}
        expected |= {"share/icons/hicolor/%dx%d/apps/quilmorant.png" % (s, s) for s in SIZES}
        found = {os.path.relpath(os.path.join(d, f), prefix) for d, _, files in os.walk(prefix) for f in files}
        self.assertEqual(found, expected)
        self.assertTrue(os.access(os.path.join(prefix, "bin/quilmorant"), os.X_OK))
        for s in SIZES:
            self.assertEqual(png_size(os.path.join(prefix, "share/icons/hicolor/%dx%d/apps/quilmorant.png"
                                                   % (s, s))), (s, s))
        with open(os.path.join(prefix, "share/man/man1/quilmorant.1")) as f:
            page = f.read()
        self.assertIn("quilmorant 1.0.0", page)
        for words in ("Run backward", "Run forward", "mouse-drive", "double-click", "Esc"):
            self.assertIn(words, page)

    def test_the_desktop_entrys_exec_line_starts_the_installed_program(self):
        with open(os.path.join(self.prefix, "share/applications/quilmorant.desktop")) as f:
            exec_line = [line[5:].strip() for line in f if line.startswith("Exec=")][0]
        env = dict(os.environ, PATH=os.path.join(self.prefix, "bin") + os.pathsep + os.environ["PATH"])
        # Run as written, on a private X server, from another folder; still
        # running after three seconds (timeout's 124) means it started.
        run = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 640x480x24 -nolisten tcp",
                              "timeout", "3", "sh", "-c", exec_line],
                             env=env, cwd=tempfile.gettempdir(), capture_output=True, text=True, timeout=30)
        self.assertEqual(run.returncode, 124, run.stderr)
        self.assertEqual(run.stderr, "")

    def test_debian_package_says_what_it_is(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run(["cpack", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", out],
                           check=True, capture_output=True)
            debs = [f for f in os.listdir(out) if f.endswith(".deb")]
            self.assertEqual(len(debs), 1, os.listdir(out))
            self.assertRegex(debs[0], r"^quilmorant_1\.0\.0_[a-z0-9]+\.deb$")
            info = subprocess.run(["dpkg-deb", "-I", os.path.join(out, debs[0])], capture_output=True,
                                  text=True, check=True).stdout
            self.assertIn("Package: quilmorant", info)
            self.assertIn("Version: 1.0.0", info)
            self.assertRegex(info, r"Depends:.*libsdl2-2\.0-0")
            self.assertIn("Description: animated cam mechanism", info)
            contents = subprocess.run(["dpkg-deb", "-c", os.path.join(out, debs[0])], capture_output=True,
                                      text=True, check=True).stdout
            for path in ("./usr/bin/quilmorant", "./usr/share/applications/quilmorant.desktop",
                         "./usr/share/icons/hicolor/256x256/apps/quilmorant.png"):
                self.assertIn(path, contents)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
