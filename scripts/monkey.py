#!/usr/bin/env python3
"""Random input to the real program, to find what scripted tests miss.

    scripts/monkey.py [--seconds N] [--seed S] [--build DIR] [--hang-seconds N]

Starts build/app/brelvan on a virtual X screen (Xvfb) against the demo service (tipsd), whose
fault modes and match count are drawn from the seed, then sends random input for N seconds
(default 60): clicks, double clicks, drags, the wheel, keys and text, LOGIN and the login
page's boxes, the match page's filter, boxes and headers, and the frame's buttons and system
menu, never the close button (the system menu's Close may end the program from inside: it
is started again and the run goes on). Every second it checks that the program is alive and that its
window still handles its events: it sends the window the window manager's ping, which the
program's loop answers when it comes round (the loop paints before it waits, so an answer
means what came before was handled and shown); no answer within --hang-seconds, default 10,
is a hang, and how many answers came within 1 s is printed. At the end it closes the window
with its close button and expects exit status 0.

Any crash, sanitizer report, hang or other exit status fails the run (exit 1) with the seed
and the last 50 events; the same seed replays the same input and faults. Exit 77 when Xvfb or
xdotool is missing; a failure keeps a screenshot where ImageMagick's import exists. Needs
nothing beyond the standard library (scripts/xping.py speaks the X protocol itself).
"""

import argparse
import collections
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from xping import XPing

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCREEN_SIZE = (1280, 1024)

# The window's size and the spots of its pages, in window pixels (as the headless window lays
# them out; tests/app/window-check.sh clicks the same ones).
WIDTH, HEIGHT = 821, 633
CLOSE_SPOT = (WIDTH - 20, 14)
LOGIN_SPOTS = {
    "login box": (572, 348),
    "password box": (570, 409),
    "LOGIN": (562, 484),
    "remember": (478, 451),
}
# The frame's caption row; its right end holds the close button, kept out until the end.
CAPTION_HEIGHT = 28
CLOSE_ZONE = (WIDTH - 34, 0, WIDTH, CAPTION_HEIGHT)

# Faults of the demo service: one or two of these a run (or none), drawn from the seed. A
# refused version marker is left out: the program then opens the download page and closes
# on purpose, which ends the run before its time.
FAULTS = [
    "",
    "",
    "latency=400",
    "slow=40000",
    "stall",
    "reset-after=300",
    "reset-after=5000",
    "truncate",
    "garbage",
    "huge",
    "status=503@/login/",
    "status=500@/login/",
]

KEYS = [
    "Tab", "shift+Tab", "Return", "Escape", "space", "Up", "Down", "Left", "Right", "Page_Up",
    "Page_Down", "Home", "End", "BackSpace", "Delete", "ctrl+a", "ctrl+c", "ctrl+v", "ctrl+x",
    "shift+Home", "shift+End", "F1", "F10", "alt+space", "Menu", "KP_Enter", "Insert",
]
WORDS = ["demo", "wrong", "1,5", "2.25", "-3", "99999999999", "", "Ж", "Матч", "a b", "<x>",
         "%41", "&login=x", "0", "100", "..", "\t"]


def have(tool):
    return shutil.which(tool) is not None


class Monkey:
    def __init__(self, args):
        self.args = args
        self.rng = random.Random(args.seed)
        self.events = collections.deque(maxlen=50)
        self.work = tempfile.mkdtemp(prefix="brelvan-monkey-")
        self.procs = []
        self.env = dict(os.environ)
        self.window = None
        self.app = None
        self.box_since = None  # when the message box on show appeared
        self.closed_early = False  # closed from inside (status 0) before the run's end
        self.lives = 0  # how many times the program was started
        self.service = None

    # --- processes ---

    def start_xvfb(self):
        out = os.path.join(self.work, "display")
        fd = os.open(out, os.O_WRONLY | os.O_CREAT)
        proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(fd), "-noreset", "-screen", "0",
             "%dx%dx24" % SCREEN_SIZE,
             "-nolisten", "tcp"], pass_fds=(fd,), stderr=subprocess.DEVNULL)
        os.close(fd)
        self.procs.append(proc)
        for _ in range(200):
            with open(out) as f:
                text = f.read().strip()
            if text:
                self.env["DISPLAY"] = ":" + text
                return
            time.sleep(0.05)
        raise RuntimeError("Xvfb did not start")

    def start_tipsd(self):
        faults = [f for f in self.rng.sample(FAULTS, 2) if f]
        matches = self.rng.choice([0, 5, 40, 2000])
        cmd = [os.path.join(self.args.build, "tools/tipsd/tipsd"), "--port", "0", "--matches",
               str(matches), "--seed", str(self.args.seed % 2**32)]
        if faults:
            cmd += ["--fault", ",".join(faults)]
        print("monkey: service: %s" % " ".join(cmd[1:]), flush=True)
        log = open(os.path.join(self.work, "tipsd.log"), "w")
        proc = subprocess.Popen(cmd, stderr=log)
        self.procs.append(proc)
        for _ in range(200):
            with open(os.path.join(self.work, "tipsd.log")) as f:
                text = f.read()
            at = text.find("http://")
            if at >= 0:
                return text[at + 7:].split("/")[0]
            time.sleep(0.05)
        raise RuntimeError("the demo service did not start")

    def start_app(self, service):
        run = os.path.join(self.work, "run")
        os.makedirs(run, exist_ok=True)
        # Links the program opens go to a stand-in, never to a browser.
        bin_dir = os.path.join(self.work, "bin")
        os.makedirs(bin_dir, exist_ok=True)
        opener = os.path.join(bin_dir, "xdg-open")
        with open(opener, "w") as f:
            f.write("#!/bin/sh\necho \"$@\" >> %s/opened\n" % self.work)
        os.chmod(opener, 0o755)
        env = dict(self.env, BRELVAN_SERVICE=service, NO_PROXY="127.0.0.1",
                   PATH=bin_dir + os.pathsep + self.env.get("PATH", ""))
        # A sanitized build reports as CI's suite run does: leaks too, with the same list of
        # what libraries keep for the life of the process.
        env.setdefault("ASAN_OPTIONS", "detect_leaks=1:halt_on_error=1")
        env.setdefault("UBSAN_OPTIONS", "halt_on_error=1:print_stacktrace=1")
        env.setdefault("LSAN_OPTIONS", "suppressions=%s:print_suppressions=0"
                       % os.path.join(ROOT, ".ci", "lsan.supp"))
        self.lives += 1
        self.stderr_path = os.path.join(self.work, "brelvan-%d.log" % self.lives)
        self.app = subprocess.Popen([os.path.join(self.args.build, "app/brelvan")], cwd=run,
                                    env=env, stderr=open(self.stderr_path, "w"))
        for _ in range(400):
            if self.app.poll() is not None:
                self.fail("the program ended with status %d before its window appeared"
                          % self.app.returncode)
            found = self.windows_named("Brelvan")
            if found:
                self.window = found[0]
                return
            time.sleep(0.05)
        self.fail("no window named Brelvan appeared")

    def stop_all(self):
        for proc in [self.app] + self.procs[::-1]:
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
        shutil.rmtree(self.work, ignore_errors=True)

    # --- X ---

    def windows_named(self, name, visible=True):
        """The windows whose title is exactly `name`, oldest first. xdotool's name search
        ignores case, and the main window ("Brelvan") and a message box ("brelvan") differ
        only in case, so each match's title is compared here."""
        search = ["search"] + (["--onlyvisible"] if visible else []) + ["--name", "^%s$" % name]
        found = self.xdo(*search, check=False).split()
        found = [w for w in found if self.xdo("getwindowname", w, check=False) == name]
        return sorted(found, key=int)

    def xdo(self, *args, check=True):
        try:
            done = subprocess.run(["xdotool"] + list(args), env=self.env, capture_output=True,
                                  text=True, timeout=10)
        except subprocess.TimeoutExpired:
            self.fail("xdotool %s did not answer within 10 s" % " ".join(args))
        if check and done.returncode != 0 and args[0] not in ("search",):
            self.events.append("  (xdotool %s: %s)" % (args[0], done.stderr.strip()))
        return done.stdout.strip() if done.returncode == 0 else ""

    def window_origin(self):
        text = self.xdo("getwindowgeometry", "--shell", self.window, check=False)
        values = dict(line.split("=", 1) for line in text.splitlines() if "=" in line)
        return int(values.get("X", 0)), int(values.get("Y", 0))

    # --- input ---

    def spot(self):
        """A random spot of the window, never the close button."""
        while True:
            x, y = self.rng.randrange(WIDTH), self.rng.randrange(HEIGHT)
            zx0, zy0, zx1, zy1 = CLOSE_ZONE
            if not (zx0 <= x < zx1 and zy0 <= y < zy1):
                return x, y

    def move(self, x, y):
        self.xdo("mousemove", "--window", self.window, str(x), str(y))

    def act(self):
        rng = self.rng
        kind = rng.choices(
            ["click", "spot", "double", "right", "drag", "wheel", "key", "text", "caption",
             "grid", "enter"],
            weights=[20, 14, 6, 4, 5, 6, 12, 10, 4, 10, 3])[0]
        if kind == "spot":
            name, (x, y) = rng.choice(sorted(LOGIN_SPOTS.items()))
            self.events.append("click %s at %d,%d" % (name, x, y))
            self.move(x, y)
            self.xdo("click", "1")
        elif kind in ("click", "double", "right", "grid"):
            x, y = self.spot()
            if kind == "grid":  # the match page's headers and rows lie in the middle band
                y = rng.randrange(60, HEIGHT - 60)
            button = "3" if kind == "right" else "1"
            repeat = "2" if kind == "double" else "1"
            self.events.append("%s at %d,%d" % (kind, x, y))
            self.move(x, y)
            self.xdo("click", "--repeat", repeat, "--delay", "40", button)
        elif kind == "caption":
            # The frame's buttons (but the close button) and its system menu at the left.
            x = rng.choice([rng.randrange(4, 40), rng.randrange(WIDTH - 100, CLOSE_ZONE[0])])
            y = rng.randrange(2, CAPTION_HEIGHT)
            button = rng.choice(["1", "1", "3"])
            self.events.append("caption button %s at %d,%d" % (button, x, y))
            self.move(x, y)
            self.xdo("click", button)
            if (x < 40 or button == "3") and rng.random() < 0.7:
                # Mostly leave the system menu again: its Close item ends the run early.
                time.sleep(0.1)
                self.events.append("key Escape")
                self.xdo("key", "Escape")
        elif kind == "drag":
            x0, y0 = self.spot()
            x1, y1 = self.spot()
            self.events.append("drag %d,%d -> %d,%d" % (x0, y0, x1, y1))
            self.move(x0, y0)
            self.xdo("mousedown", "1")
            self.move((x0 + x1) // 2, (y0 + y1) // 2)
            self.move(x1, y1)
            self.xdo("mouseup", "1")
        elif kind == "wheel":
            x, y = self.spot()
            button = rng.choice(["4", "5"])
            count = rng.randrange(1, 6)
            self.events.append("wheel %s x%d at %d,%d" % (button, count, x, y))
            self.move(x, y)
            self.xdo("click", "--repeat", str(count), "--delay", "20", button)
        elif kind == "key":
            key = rng.choice(KEYS)
            self.events.append("key %s" % key)
            self.xdo("key", "--clearmodifiers", key)
        elif kind == "text":
            word = rng.choice(WORDS)
            self.events.append("type %r" % word)
            self.xdo("type", "--delay", "5", "--", word)
        elif kind == "enter":
            # A whole login: the boxes, then LOGIN.
            self.events.append("login demo/demo")
            for name, text in (("login box", "demo"), ("password box", "demo")):
                self.move(*LOGIN_SPOTS[name])
                self.xdo("click", "1")
                self.xdo("key", "ctrl+a")
                self.xdo("type", "--delay", "5", "--", text)
            self.move(*LOGIN_SPOTS["LOGIN"])
            self.xdo("click", "1")

    def keep_window_usable(self):
        """A frame button may have hidden or moved the window; a user would bring it back."""
        if not self.windows_named("Brelvan"):
            found = self.windows_named("Brelvan", visible=False)
            if found:
                self.events.append("map the window again")
                for w in found:
                    self.xdo("windowmap", w)
        found = self.windows_named("Brelvan")
        if found and self.window not in found:
            self.window = found[0]
        self.bring_on_screen()

    def bring_on_screen(self):
        """A caption drag may have left the window partly off the screen, its close button
        out of reach: a user drags it back by a part of its caption that shows."""
        text = self.xdo("getwindowgeometry", "--shell", self.window, check=False)
        g = dict(line.split("=", 1) for line in text.splitlines() if "=" in line)
        if "WIDTH" not in g:
            return
        x, y, w, h = int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])
        sw, sh = SCREEN_SIZE
        if x >= 0 and y >= 0 and x + w <= sw and y + h <= sh:
            return
        # A caption spot left of its buttons that lies on the screen, if there is one.
        spots = [cx for cx in range(30, w - 90, 10) if 0 <= x + cx < sw]
        if not spots or not 0 <= y + 10 < sh:
            self.events.append("move the window back (no caption in reach)")
            self.xdo("windowmove", self.window, str((sw - w) // 2), str((sh - h) // 2))
            return
        cx = spots[len(spots) // 2]
        to_x, to_y = (sw - w) // 2 + cx, (sh - h) // 2 + 10
        self.events.append("drag the window back by its caption")
        self.xdo("mousemove", str(x + cx), str(y + 10))
        self.xdo("mousedown", "1")
        self.xdo("mousemove", str((x + cx + to_x) // 2), str((y + 10 + to_y) // 2))
        self.xdo("mousemove", str(to_x), str(to_y))
        self.xdo("mouseup", "1")
        time.sleep(0.1)

    # --- checks ---

    def sanitizer_report(self):
        with open(self.stderr_path, errors="replace") as f:
            text = f.read()
        for mark in ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                     "ThreadSanitizer", "terminate called"):
            if mark in text:
                return text
        return None

    def check_alive(self):
        report = self.sanitizer_report()
        if report:
            self.fail("a sanitizer report:\n" + report[-4000:])
        if self.app.poll() is not None:
            if self.app.returncode != 0:
                self.fail("the program ended with status %d during the run" % self.app.returncode)
            # Closed the ordinary way from inside (its system menu's Close item): as good as
            # the close button; the run starts it again.
            self.events.append("the program closed itself with status 0")
            self.closed_early = True

    def restart_if_closed(self):
        """After the program closed itself with status 0, starts it again; True if it did."""
        if not self.closed_early:
            return False
        self.closed_early = False
        self.events.append("start the program again")
        self.start_app(self.service)
        return True

    def save_screen(self):
        """The screen at a failure, kept for a look after the run (its path, or None)."""
        if not have("import") or "DISPLAY" not in self.env:
            return None
        path = os.path.join(tempfile.gettempdir(), "brelvan-monkey-%d.png" % self.args.seed)
        try:
            subprocess.run(["import", "-window", "root", path], env=self.env, timeout=10,
                           capture_output=True)
        except subprocess.TimeoutExpired:
            return None
        return path if os.path.exists(path) else None

    def fail(self, why):
        print("monkey: FAILED (seed %d): %s" % (self.args.seed, why), file=sys.stderr)
        screen = self.save_screen()
        if screen:
            print("monkey: the screen at the failure: %s" % screen, file=sys.stderr)
        print("monkey: the last %d events:" % len(self.events), file=sys.stderr)
        for event in self.events:
            print("  " + event, file=sys.stderr)
        try:
            with open(self.stderr_path, errors="replace") as f:
                said = f.read()[-3000:]
            if said:
                print("monkey: the program said:\n" + said, file=sys.stderr)
        except (OSError, AttributeError):
            pass
        print("monkey: replay with: scripts/monkey.py --seed %d --seconds %d --build %s"
              % (self.args.seed, self.args.seconds, self.args.build), file=sys.stderr)
        raise SystemExit(1)

    # --- the run ---

    def answer_box(self):
        """A message box blocks the window until it is answered: after a moment, answer it as a
        user would, with a key or a click on it, so that the run goes on."""
        boxes = self.windows_named("brelvan")
        if not boxes:
            self.box_since = None
            return
        now = time.monotonic()
        if self.box_since is None:
            self.box_since = now
        if now - self.box_since < 1.5:
            return
        box = boxes[-1]
        how = self.rng.choice(["Return", "Escape", "space", "click"])
        self.events.append("answer a box: %s" % how)
        if how == "click":
            self.click_ok(box)
        else:
            self.xdo("windowfocus", box)
            self.xdo("key", how)
        self.box_since = now

    def click_ok(self, box):
        """Clicks a message box's OK button, in the middle of its lower part."""
        text = self.xdo("getwindowgeometry", "--shell", box, check=False)
        size = dict(line.split("=", 1) for line in text.splitlines() if "=" in line)
        width, height = int(size.get("WIDTH", 0)), int(size.get("HEIGHT", 0))
        self.xdo("mousemove", "--window", box, str(width // 2), str(height - 24))
        self.xdo("click", "1")

    def close_boxes(self):
        """Closes any message box still open, as a user would, before the close button: a
        click on its OK (a key could reach the window before the box has the focus)."""
        for _ in range(10):
            boxes = self.windows_named("brelvan")
            if not boxes:
                return
            self.events.append("OK on a box")
            # The box opened last is the one that takes input (the others wait under it).
            self.click_ok(boxes[-1])
            time.sleep(0.3)

    def run(self):
        print("monkey: seed %d, %d s" % (self.args.seed, self.args.seconds), flush=True)
        self.start_xvfb()
        self.service = self.start_tipsd()
        self.start_app(self.service)
        ping = XPing(self.env["DISPLAY"])
        end = time.monotonic() + self.args.seconds
        answers = []  # how long each ping took to be answered
        actions = 0
        next_check = time.monotonic() + 1
        while time.monotonic() < end:
            self.act()
            actions += 1
            time.sleep(self.rng.uniform(0.02, 0.15))
            if time.monotonic() >= next_check:
                next_check = time.monotonic() + 1
                self.check_alive()
                if self.restart_if_closed():
                    continue
                self.keep_window_usable()
                self.answer_box()
                # The loop that takes input also paints before it waits again: an answer to
                # the ping means what came before it was handled and shown.
                took = ping(int(self.window), self.args.hang_seconds)
                if took is None:
                    self.check_alive()
                    if self.restart_if_closed():
                        continue
                    self.fail("the program did not handle its events for %.0f s"
                              % self.args.hang_seconds)
                answers.append(took)
        ping.close()
        self.check_alive()
        if self.restart_if_closed():
            time.sleep(0.5)
        # A request still out may bring a box up after the last one was answered: a user
        # answers it and presses the close button again, for up to 15 s.
        code = None
        give_up = time.monotonic() + 15
        while code is None and time.monotonic() < give_up:
            self.close_boxes()
            self.keep_window_usable()
            self.events.append("the close button")
            self.move(*CLOSE_SPOT)
            time.sleep(0.1)
            self.xdo("click", "1")
            try:
                code = self.app.wait(3)
            except subprocess.TimeoutExpired:
                code = None
        if code is None:
            self.fail("the close button did not end the program within 15 s")
        report = self.sanitizer_report()
        if report:
            self.fail("a sanitizer report:\n" + report[-4000:])
        if code != 0:
            self.fail("the program ended with status %d after the close button" % code)
        within = sum(1 for took in answers if took <= 1.0)
        print("monkey: passed: %d actions in %d s; the program answered %d pings, %d of them "
              "within 1 s (slowest %.3f s); started %d time(s)"
              % (actions, self.args.seconds, len(answers), within, max(answers, default=0),
                 self.lives), flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seconds", type=int, default=60)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--hang-seconds", type=float, default=10)
    args = parser.parse_args()
    if args.seed is None:
        args.seed = random.SystemRandom().randrange(2**31)
    args.build = os.path.abspath(args.build)
    for tool in ("Xvfb", "xdotool"):
        if not have(tool):
            print("monkey: %s is missing (scripts/install-deps.sh installs it)" % tool,
                  file=sys.stderr)
            return 77
    monkey = Monkey(args)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    try:
        monkey.run()
    finally:
        monkey.stop_all()
    return 0


if __name__ == "__main__":
    sys.exit(main())
