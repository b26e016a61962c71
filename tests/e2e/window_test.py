#!/usr/bin/env python3
"""The real program in a real X server.

Each case starts its own Xvfb, runs the real binary in it, types and points
with xdotool, takes screenshots with xwd and tells which frame slot is on
screen by comparing the drawing area's pixels with the decoded frame records.
Waits are for conditions with a deadline; where the behaviour allows, cases
compare slots rather than times.

  window_test.py --binary B --records DIR --close-helper H --case NAME
"""

import argparse
import os
import signal
import struct
import subprocess
import sys
import tempfile
import time

CAPTION = "Quilmorant In 3Lifts SpaceBar+-/*mouse,. ESC"
WIDTH, HEIGHT = 153, 352
FACE = (212, 208, 200)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


# ---- The frames, decoded independently of the program's own decoder --------

def visible_key(pixel_at):
    """The drawing area's visible pixels (inner 149 x 350) as bytes, 1 white."""
    return bytes(pixel_at(x, y) for y in range(350) for x in range(149))


def load_frames(records):
    frames = {}
    for holder in range(1, 55):
        with open(os.path.join(records, "Image%d.rec" % holder), "rb") as f:
            data = f.read()
        pixels = data[8 + 62:]

        def white(x, y, pixels=pixels):
            row = pixels[(349 - y) * 20:]
            return (row[x // 8] >> (7 - x % 8)) & 1

        frames[visible_key(white)] = holder - 1
    check(len(frames) == 54, "the visible parts of the 54 frames are not all different")
    return frames


# ---- The X server, the program and its window -------------------------------

class Session:
    def __init__(self, args):
        self.args = args
        self.frames = load_frames(args.records)
        self.program = None
        self.window = None
        self.xvfb_log = tempfile.TemporaryFile()
        read_fd, write_fd = os.pipe()
        # -noreset: without it the server resets whenever its last client
        # leaves, and the xdotool polls that look for the window come and go
        # while the program is still connecting.
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "640x480x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=self.xvfb_log)
        os.close(write_fd)
        try:
            number = b""
            with os.fdopen(read_fd, "rb") as r:
                while not number.endswith(b"\n"):
                    chunk = r.read(1)
                    check(chunk, "Xvfb did not start: %s" % self.server_log())
                    number += chunk
            self.env = dict(os.environ, DISPLAY=":" + number.decode().strip())
            self.env.pop("WAYLAND_DISPLAY", None)
            wait_for(self.server_answers, 5, "Xvfb on %s to answer" % self.env["DISPLAY"])
        except Failure:
            self.close()
            raise

    def server_answers(self):
        check(self.xvfb.poll() is None, "Xvfb ended (status %s): %s" % (self.xvfb.returncode, self.server_log()))
        return subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env,
                              capture_output=True).returncode == 0

    def server_log(self):
        self.xvfb_log.seek(0)
        return repr(self.xvfb_log.read().decode(errors="replace")[-2000:])

    def start(self):
        """Starts the program and waits for its window. A program that could
        not reach the server is started once more, saying so: the server was
        seen to answer, so that is a fault of the server's, not the
        program's; a second refusal fails the case."""
        for attempt in (1, 2):
            self.started_at = time.monotonic()
            self.program = subprocess.Popen([self.args.binary], env=self.env, stderr=subprocess.PIPE)
            self.window = wait_for(self.window_or_end, 10, "the window to appear")
            if self.window != "ended":
                return self
            err = self.program.stderr.read().decode()
            check(attempt == 1 and "cannot open the display" in err,
                  "the program ended at start, status %d, stderr %r" % (self.program.returncode, err))
            print("the program could not reach the server (%r); Xvfb %s; starting it again"
                  % (err.strip(), "answers" if self.server_answers() else "does not answer"))

    def window_or_end(self):
        if self.program.poll() is not None:
            return "ended"
        return self.find_window()

    def find_window(self):
        out = subprocess.run(["xdotool", "search", "--name", "^Quilmorant In 3Lifts"], env=self.env,
                             capture_output=True, text=True).stdout.split()
        return out[0] if out else None

    def x(self, *command):
        return subprocess.run(list(command), env=self.env, capture_output=True, text=True, check=True).stdout

    def xdotool(self, *words):
        self.x("xdotool", *[str(w) for w in words])

    def focus(self):
        self.xdotool("windowfocus", "--sync", self.window)

    def key(self, *names):
        for name in names:
            self.xdotool("key", name)

    def move(self, x, y):
        """Moves the pointer to (x, y) in window pixels, which may lie outside it."""
        if not hasattr(self, "origin"):
            geometry = self.x("xdotool", "getwindowgeometry", "--shell", self.window)
            values = dict(line.split("=", 1) for line in geometry.split())
            self.origin = (int(values["X"]), int(values["Y"]))
        self.xdotool("mousemove", self.origin[0] + x, self.origin[1] + y)

    def screenshot(self):
        data = subprocess.run(["xwd", "-id", self.window, "-silent"], env=self.env, capture_output=True).stdout
        return Screenshot(data)

    def slot(self):
        return self.frames.get(self.screenshot().visible_key())

    def ended(self, within):
        try:
            self.program.wait(timeout=within)
            return True
        except subprocess.TimeoutExpired:
            return False

    def close(self):
        if self.program and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        if self.xvfb.poll() is None:
            self.xvfb.terminate()
            self.xvfb.wait()
        self.xvfb_log.close()


class Screenshot:
    """An XWD image: its header, then a colour map, then the pixels."""

    def __init__(self, data):
        check(len(data) >= 100, "xwd gave no image")
        fields = struct.unpack(">25I", data[:100])
        header_size, _, _, _, self.width, self.height = fields[:6]
        byte_order, bits_per_pixel, self.bytes_per_line = fields[7], fields[11], fields[12]
        masks, colours = fields[14:17], fields[19]
        check(bits_per_pixel == 32, "expected a 32-bit screenshot, got %d bits" % bits_per_pixel)
        self.pixels = data[header_size + 12 * colours:]
        self.order = "<I" if byte_order == 0 else ">I"
        self.shifts = [(m, (m & -m).bit_length() - 1) for m in masks]
        check(len(self.pixels) >= self.bytes_per_line * self.height, "the screenshot is cut short")

    def rgb(self, x, y):
        (value,) = struct.unpack_from(self.order, self.pixels, y * self.bytes_per_line + 4 * x)
        return tuple((value & m) >> s for m, s in self.shifts)

    def visible_key(self):
        def white(x, y):
            return 1 if self.rgb(x + 2, y + 2) == (255, 255, 255) else 0
        return visible_key(white)


def wait_for(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value is not None and value is not False:  # slot 0 is an answer
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.1f s waiting for %s" % (seconds, what))
        time.sleep(0.02)


def wait_for_slot(s, slot, seconds=5):
    wait_for(lambda: s.slot() == slot, seconds, "slot %d (last seen %s)" % (slot, s.slot()))


def stable_slot(s, seconds):
    """The slot shown, checked to stay the same for `seconds`."""
    first = wait_for(lambda: s.slot(), 5, "a frame")
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        now = s.slot()
        check(now == first, "expected slot %d to stay, saw %s" % (first, now))
        time.sleep(0.05)
    return first


def settled_slot(s, quiet=0.4, seconds=5):
    """Waits until the slot has stayed the same for `quiet` seconds."""
    deadline = time.monotonic() + seconds
    while True:
        first, since = s.slot(), time.monotonic()
        while first is not None and s.slot() == first:
            if time.monotonic() - since >= quiet:
                return first
        check(time.monotonic() < deadline, "the animation did not come to rest")


def changes(s, count, seconds):
    """The next `count` slots the screen changes to, in order."""
    seen = [wait_for(lambda: s.slot(), 5, "a frame")]
    deadline = time.monotonic() + seconds
    while len(seen) <= count:
        check(time.monotonic() < deadline, "saw only %s in %.0f s" % (seen, seconds))
        now = s.slot()
        if now is not None and now != seen[-1]:
            seen.append(now)
    return seen[1:]


def phase_plus(slot, delta):
    return slot // 18 * 18 + (slot % 18 + delta) % 18


def right_after_a_tick(s):
    """Waits for the screen to change and returns the new slot: a key pressed
    now lands in the pump of the pause that has just begun."""
    first = wait_for(lambda: s.slot(), 5, "a frame")
    return wait_for(lambda: (lambda now: now if now not in (None, first) else None)(s.slot()), 5, "a tick")


def still_at(s):
    """Stops start-up running with one step forward; returns the slot it stays at."""
    s.focus()
    at = right_after_a_tick(s)
    s.key("asterisk")
    wait_for_slot(s, phase_plus(at, 1))
    return stable_slot(s, 2.3)


# ---- The cases ----------------------------------------------------------------

def case_window_properties(s):
    s.start()
    props = s.x("xprop", "-id", s.window, "WM_NAME", "_NET_WM_NAME", "_MOTIF_WM_HINTS", "WM_NORMAL_HINTS")
    check('WM_NAME(STRING) = "%s"' % CAPTION in props, "caption: " + props)
    check('_NET_WM_NAME(UTF8_STRING) = "%s"' % CAPTION in props, "UTF-8 caption: " + props)
    check("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x4, 0xa, 0x0, 0x0" in props, "motif hints: " + props)
    check("minimum size: 153 by 352" in props and "maximum size: 153 by 352" in props, "size hints: " + props)
    check("user specified location" not in props and "program specified location" not in props,
          "the first position is left to the window manager: " + props)
    info = s.x("xwininfo", "-id", s.window)
    check("Width: 153" in info and "Height: 352" in info, "client area: " + info)

    wait_for(lambda: s.slot() is not None, 5, "a frame on screen")
    shot = s.screenshot()
    expected = {
        (0, 0): (128, 128, 128), (151, 0): (128, 128, 128), (152, 0): (255, 255, 255),
        (0, 351): (128, 128, 128), (152, 351): (255, 255, 255),
        (1, 1): (64, 64, 64), (150, 1): (64, 64, 64), (1, 351): (64, 64, 64),
        (151, 1): FACE, (151, 200): FACE, (151, 351): FACE,
        (4, 345): (0, 0, 0),  # the frames' dot at (2, 343)
    }
    for (x, y), colour in expected.items():
        check(shot.rgb(x, y) == colour, "pixel (%d, %d) is %s, expected %s" % (x, y, shot.rgb(x, y), colour))


def case_start_up_pace(s):
    s.start()
    seen = [wait_for(lambda: s.slot(), 5, "the first ticks")]
    times = [time.monotonic()]
    cpu_start = process_cpu(s.program.pid)
    while len(seen) < 5:
        check(time.monotonic() - times[0] < 12, "saw only %s" % seen)
        now = s.slot()
        if now is not None and now != seen[-1]:
            seen.append(now)
            times.append(time.monotonic())
    cpu = process_cpu(s.program.pid) - cpu_start
    check(seen == list(range(seen[0], seen[0] + 5)), "start-up order: %s" % seen)
    check(seen[0] in (0, 1, 2), "the first frames: %s" % seen)
    gaps = [b - a for a, b in zip(times[1:], times[2:])]
    print("slots %s, gaps between frames %s s, processor %.3f s over %.1f s"
          % (seen, ["%.3f" % g for g in gaps], cpu, times[-1] - times[0]))
    check(all(0.8 < g < 1.4 for g in gaps), "about one frame a second: %s" % gaps)


def process_cpu(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def case_step_keys(s):
    s.start()
    at = still_at(s)
    for key, delta in [("asterisk", 1), ("period", 1), ("KP_Multiply", 1), ("slash", -1), ("KP_Divide", -1),
                       ("slash", -1)]:
        s.key(key)
        at = phase_plus(at, delta)
        wait_for_slot(s, at)
    stable_slot(s, 2.3)


def case_run_keys(s):
    s.start()
    at = still_at(s)
    s.key("minus")
    got = changes(s, 3, 8)
    check(got == [phase_plus(at, -2), phase_plus(at, -3), phase_plus(at, -4)], "run backward from %d: %s" % (at, got))
    at = got[-1]
    s.key("plus")
    got = changes(s, 2, 8)
    check(got[0] in (phase_plus(at, 2), phase_plus(at, 1)), "run forward from %d: %s" % (at, got))
    check(got[1] == phase_plus(got[0], 1), "run forward: %s" % got)
    s.key("slash")
    at = stable_slot(s, 2.3)
    for key in ("comma", "KP_Add"):
        s.key(key)
        got = changes(s, 2, 8)
        check(got == [phase_plus(at, 2), phase_plus(at, 3)], "%s from %d: %s" % (key, at, got))
        s.key("period")
        at = stable_slot(s, 2.3)


def case_lift_bounce(s):
    s.start()
    at = still_at(s)
    phase = at % 18
    for lift in (1, 2, 1, 0):
        s.key("space")
        wait_for_slot(s, 18 * lift + phase)
    stable_slot(s, 2.3)


def case_other_keys_do_nothing(s):
    s.start()
    at = still_at(s)
    s.xdotool("type", "--delay", "30", "aZq019=x")
    s.key("Return", "Tab", "BackSpace", "F1", "Left")
    check(stable_slot(s, 2.3) == at, "keys outside the table moved the animation")
    s.key("asterisk")
    wait_for_slot(s, phase_plus(at, 1))


def case_mouse_drive(s):
    s.start()
    s.focus()
    right_after_a_tick(s)  # loading is over: what start-up sets stays set
    s.move(75, 100)  # the pace from the pointer: fast, after this pause
    changes(s, 2, 3)
    s.key("plus")
    s.xdotool("click", 1)  # mouse-drive on; still running
    s.move(75, 101)  # the first move only stops the run
    settled_slot(s)
    at = stable_slot(s, 1.0)
    for x, y, delta in [(75, 102, 1), (75, 103, 1), (75, 101, -1), (90, 101, 1)]:
        s.move(x, y)
        at = phase_plus(at, delta)
        wait_for_slot(s, at)
    s.xdotool("click", 1)  # mouse-drive off: forward running comes back, at 80 ms a frame
    got = changes(s, 4, 5)
    # 80 ms a frame: a screenshot on a loaded machine may miss one.
    check(got[0] in (phase_plus(at, 2), phase_plus(at, 3)), "resumed forward run from %d: %s" % (at, got))
    steps = [(b - a) % 18 for a, b in zip(got, got[1:])]
    check(all(1 <= d <= 3 for d in steps), "forward running after the click: %s" % got)


def case_pointer_outside_area(s):
    s.start()
    at = still_at(s)
    s.move(75, 100)
    s.xdotool("click", 1)  # mouse-drive on
    s.move(75, 110)
    at = phase_plus(at, 1)
    wait_for_slot(s, at)
    s.move(1, 300)  # on the border: not the area's
    s.move(152, 300)
    check(stable_slot(s, 1.0) == at, "a move over the border stepped the animation")
    s.move(75, 105)  # up from the last move in the area
    at = phase_plus(at, -1)
    wait_for_slot(s, at)
    # A button pressed over the area keeps the pointer: moves outside count.
    s.xdotool("mousedown", 3)
    s.move(75, 420)
    at = phase_plus(at, 1)
    wait_for_slot(s, at)
    s.move(-30, -20)
    at = phase_plus(at, -1)
    wait_for_slot(s, at)
    s.xdotool("mouseup", 3)
    s.move(75, 430)  # outside, no button: the window hears nothing
    check(stable_slot(s, 1.0) == at, "a move outside the window with no button stepped the animation")


def timed_exit(s, action, what):
    wait_for(lambda: s.slot() is not None, 5, "a frame")
    time.sleep(0.3)  # into the middle of a one-second pause
    start = time.monotonic()
    action()
    check(s.ended(5), "%s did not end the program" % what)
    took = (time.monotonic() - start) * 1000
    err = s.program.stderr.read().decode()
    print("%s ended the program in %.0f ms, status %d" % (what, took, s.program.returncode))
    check(s.program.returncode == 0, "status %d, stderr %r" % (s.program.returncode, err))
    check(err == "", "stderr: %r" % err)
    return took


def case_esc_ends(s):
    s.start()
    s.focus()
    took = timed_exit(s, lambda: s.key("Escape"), "Esc")
    check(took < 500, "Esc took %.0f ms at the start-up pace" % took)


def case_double_click_ends(s):
    s.start()
    s.move(75, 100)
    timed_exit(s, lambda: s.xdotool("click", "--repeat", 2, "--delay", 80, 1), "a double-click")


def case_close_request_ends(s):
    s.start()
    took = timed_exit(s, lambda: s.x(s.args.close_helper, s.window), "a close request")
    check(took < 500, "the close request took %.0f ms" % took)


def case_sigterm_ends(s):
    s.start()
    timed_exit(s, lambda: s.program.send_signal(signal.SIGTERM), "SIGTERM")


def case_sigint_ends(s):
    s.start()
    timed_exit(s, lambda: s.program.send_signal(signal.SIGINT), "SIGINT")


def case_display_lost(s):
    s.start()
    wait_for(lambda: s.slot() is not None, 5, "a frame")
    display_goes(s)


def case_display_lost_at_full_speed(s):
    """The server goes while the program is presenting thousands of frames a
    second, so a write, not a read, meets the closed connection."""
    s.start()
    right_after_a_tick(s)
    s.move(2, 2)
    changes(s, 3, 3)
    display_goes(s)


def display_goes(s):
    start = time.monotonic()
    s.xvfb.kill()
    check(s.ended(3), "the program did not end when its display went away")
    took = time.monotonic() - start
    err = s.program.stderr.read().decode()
    print("ended %.0f ms after the display went, status %d: %s" % (took * 1000, s.program.returncode, err.strip()))
    check(s.program.returncode != 0, "status 0 after losing the display")
    check("quilmorant: lost the connection to the display" in err, "stderr: %r" % err)
    check(took < 1.0, "took %.2f s" % took)


def case_no_display(s):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    run = subprocess.run([s.args.binary], env=env, capture_output=True, text=True, timeout=10)
    print("status %d: %s" % (run.returncode, run.stderr.strip()))
    check(run.returncode == 1, "status %d" % run.returncode)
    check(run.stderr.startswith("quilmorant: cannot open the display"), "stderr: %r" % run.stderr)


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise Failure("no VmRSS for %d" % pid)


def case_soak(s, seconds=60):
    """A minute of random real input: keys from the table and others, moves
    over the area and its border, single clicks spaced too far apart to make
    a double-click. No Esc. Then it must still run, show a frame, and leave on
    Esc; its memory must not creep."""
    import random
    seed = int(os.environ.get("QUILMORANT_SEED", random.randrange(1 << 30)))
    rng = random.Random(seed)
    print("seed %d" % seed)
    s.start()
    s.focus()
    right_after_a_tick(s)
    keys = ["minus", "plus", "comma", "slash", "asterisk", "period", "space",
            "KP_Add", "KP_Subtract", "KP_Multiply", "KP_Divide", "a", "z", "5", "Return", "equal"]
    start = time.monotonic()
    last_click = 0.0
    rss_at_10 = None
    events = 0
    while time.monotonic() - start < seconds:
        check(s.program.poll() is None, "the program ended during the soak (status %s)" % s.program.returncode)
        r = rng.random()
        if r < 0.45:
            s.key(rng.choice(keys))
        elif r < 0.93:
            s.move(rng.randrange(0, 153), rng.randrange(0, 352))
        elif time.monotonic() - last_click > 1.0:
            s.xdotool("click", 1)
            last_click = time.monotonic()
        events += 1
        if rss_at_10 is None and time.monotonic() - start >= 10:
            rss_at_10 = resident_kib(s.program.pid)
    rss_at_end = resident_kib(s.program.pid)
    print("%d input events in %d s; resident %d KiB at 10 s, %d KiB at the end"
          % (events, seconds, rss_at_10, rss_at_end))
    check(rss_at_end - rss_at_10 < 1024, "resident memory grew by %d KiB" % (rss_at_end - rss_at_10))
    wait_for(lambda: s.slot(), 3, "a valid frame after the soak")
    timed_exit(s, lambda: s.key("Escape"), "Esc after the soak")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--records", required=True)
    parser.add_argument("--close-helper", required=True)
    parser.add_argument("--case", required=True)
    args = parser.parse_args()
    case = globals().get("case_" + args.case)
    if case is None:
        sys.exit("no case " + args.case)
    s = None
    try:
        s = Session(args)
        case(s)
    except Failure as failure:
        print("FAILED: %s" % failure)
        if s and s.program and s.program.poll() is not None and s.program.stderr:
            err = s.program.stderr.read().decode()
            if err:  # not already in the failure
                print("program stderr: %r" % err)
        if s:
            print("Xvfb said: %s" % s.server_log())
        return 1
    finally:
        if s:
            s.close()
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
