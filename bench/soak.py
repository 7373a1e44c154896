#!/usr/bin/python3
"""Soak: opens and closes TOMIRA's windows round after round, as a person
would, and measures whether the program's memory comes back.

One round opens and closes, each in turn:
  bmi       the BMI explanation (its button clicked, closed with Alt+X),
  question  the questionnaire (its button clicked, closed with Alt+F4),
  about     the About box (Alt+H V, closed with Esc).
The program runs on an X server of its own (Xvfb with openbox, as in the
end-to-end tests) in a D-Bus session of its own. With the accessibility
bridge on, Qt's bridge is forced on and an AT-SPI client listens to the
program's events and reads each window that opens, as a screen reader does;
off, nobody asks the program for its accessibility tree.

The resident memory (VmRSS, and its anonymous part) is sampled every few
rounds after the warm-up; the growth per round is the slope of a straight
line through those samples.

  bench/soak.py [--rounds 200] [--windows bmi,question,about] [--bridge on|off]
                [--binary build/default/src/app/tomira] [--call 'malloc_trim(0)'] [--wrap 'heaptrack -o FILE']

The last line printed is the result, in key=value form, for scripts/bench.sh.
"""

import argparse
import os
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def parse():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--rounds", type=int, default=200, help="measured rounds after the warm-up")
    p.add_argument("--warmup", type=int, default=5, help="rounds before the first sample")
    p.add_argument("--every", type=int, default=10, help="rounds between samples")
    p.add_argument("--windows", default="bmi,question,about", help="which windows a round opens")
    p.add_argument("--bridge", choices=("on", "off"), default="on", help="the accessibility bridge")
    p.add_argument("--binary", default=os.path.join(ROOT, "build/default/src/app/tomira"))
    p.add_argument("--call", action="append", default=[],
                   help="a C call the program makes before each sample, through gdb (installed by hand), to "
                        "tell caches and the "
                        "allocator from growth: 'malloc_trim(0)', '_ZN12QPixmapCache5clearEv()' (repeatable)")
    p.add_argument("--wrap", default="", help="a command the program is started under (heaptrack, valgrind ...)")
    p.add_argument("--timeout", type=float, default=20, help="seconds to wait for a window")
    return p.parse_args()


def in_own_session():
    """Runs this script again inside a D-Bus session and runtime folder of
    its own, so that the accessibility bus it starts ends with it."""
    if os.environ.get("TOMIRA_SOAK_SESSION"):
        return
    runtime = tempfile.mkdtemp(prefix="tomira-soak-runtime.")
    os.chmod(runtime, 0o700)
    env = dict(os.environ, TOMIRA_SOAK_SESSION="1", XDG_RUNTIME_DIR=runtime, NO_AT_BRIDGE="0",
               PYTHONDONTWRITEBYTECODE="1")
    env.pop("AT_SPI_BUS_ADDRESS", None)  # the accessibility bus is this session's
    try:
        rc = subprocess.run(["dbus-run-session", "--", sys.executable, *sys.argv], env=env).returncode
    finally:
        shutil.rmtree(runtime, ignore_errors=True)
    sys.exit(rc)


class ScreenReader:
    """An AT-SPI client as a screen reader is one: registered for the
    program's events, it reads every window that becomes active."""

    EVENTS = ("window:activate", "window:deactivate", "object:state-changed:focused",
              "object:children-changed", "object:property-change:accessible-name")

    def __init__(self):
        import pyatspi
        from gi.repository import GLib
        self.pyatspi, self.context = pyatspi, GLib.MainContext.default()
        pyatspi.Registry.registerEventListener(self.on_event, *self.EVENTS)

    def on_event(self, event):
        if event.type.startswith("window:activate"):
            self.read(event.source)

    def read(self, node, depth=0):
        """Names, roles and states of a window and everything in it."""
        try:
            node.name, node.getRoleName(), node.getState()
            for i in range(node.childCount if depth < 12 else 0):
                self.read(node.getChildAtIndex(i), depth + 1)
        except Exception:
            pass  # the window may close while it is read

    def pump(self):
        while self.context.iteration(False):
            pass

    def close(self):
        self.pyatspi.Registry.deregisterEventListener(self.on_event, *self.EVENTS)


class Soak:
    def __init__(self, args):
        sys.path.insert(0, os.path.join(ROOT, "tests/e2e"))
        os.environ.setdefault("TOMIRA_ARTIFACTS", os.path.join(tempfile.gettempdir(), "tomira-soak"))
        os.environ.setdefault("TOMIRA_E2E_MODULE", "soak")
        import tomira_e2e
        self.e2e, self.args = tomira_e2e, args
        self.reader = self.process = self.pid = self.log = None
        self.display = tomira_e2e.Display()
        try:
            self.start()
        except BaseException:
            self.close()
            raise

    def start(self):
        args = self.args
        self.reader = ScreenReader() if args.bridge == "on" else None
        env = dict(self.display.env, QT_QPA_PLATFORM="xcb")
        if args.bridge == "on":
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        else:
            env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
            env["QT_ACCESSIBILITY"] = "0"
        self.log = open(os.path.join(os.environ["TOMIRA_ARTIFACTS"], "soak-stderr.log"), "ab")
        self.process = subprocess.Popen([*shlex.split(args.wrap), args.binary], env=env,
                                        stdout=subprocess.DEVNULL, stderr=self.log)
        self.pid = self.wait("the program's process", self.program_pid, 30)
        self.main = self.wait("the main window", lambda: self.active("TOMIRA"), 60)
        self.menu_bar = self.menu_bar_height()

    # -- the X server ------------------------------------------------------
    def x(self, *command):
        return subprocess.run(command, env=self.display.env, capture_output=True, text=True).stdout.strip()

    def active(self, title):
        """The active window's id, when its title is this one."""
        window = self.x("xdotool", "getactivewindow")
        if window and self.x("xdotool", "getwindowname", window) == title:
            return window
        return None

    def wait(self, what, probe, timeout=None):
        deadline = time.monotonic() + (timeout or self.args.timeout)
        while time.monotonic() < deadline:
            if self.reader:
                self.reader.pump()
            value = probe()
            if value:
                return value
            if self.process.poll() is not None:
                raise RuntimeError(f"the program ended (exit {self.process.returncode}) while waiting for {what}")
            time.sleep(0.02)
        raise RuntimeError(f"timed out waiting for {what}")

    def opened(self, title):
        return self.wait(f"the window '{title}'", lambda: (w := self.active(title)) and w != self.main and w)

    def back_to_main(self, what):
        self.wait(f"the main window after {what}", lambda: self.active("TOMIRA") == self.main)

    def menu_bar_height(self):
        """The main window's client area is 527 pixels high; the menu bar
        takes the rest of the window."""
        info = self.x("xwininfo", "-id", self.main)
        height = next(int(l.split(":")[1]) for l in info.splitlines() if l.strip().startswith("Height:"))
        return height - 527

    def click_main(self, left, top, width, height):
        """A click in the middle of a control of the main window placed in twips."""
        x = (left + width // 2) // 15
        y = self.menu_bar + (top + height // 2) // 15
        # No --sync: xdotool would wait for ever for a move to where the
        # pointer already is. The server takes the click after the move.
        self.x("xdotool", "mousemove", "--window", self.main, str(x), str(y), "click", "1")

    # -- the rounds --------------------------------------------------------
    def bmi(self):
        self.click_main(5520, 4560, 1095, 375)  # 解説 beside 体型診断（BMI）
        self.opened("BMIについて")
        self.display.key("alt+x")
        self.back_to_main("the BMI explanation")

    def question(self):
        self.click_main(5520, 3720, 1095, 375)  # 診断
        self.opened("TOMIRA")
        self.display.key("alt+F4")
        self.back_to_main("the questionnaire")

    def about(self):
        self.display.key("alt+h", "v")
        self.opened("TOMIRAのﾊﾞｰｼﾞｮﾝ情報")
        self.display.key("Escape")
        self.back_to_main("the About box")

    def round(self):
        for name in self.args.windows.split(","):
            getattr(self, name)()

    # -- the process -------------------------------------------------------
    def program_pid(self):
        """The program's own process, also when it runs under a wrapper."""
        binary = os.path.realpath(self.args.binary)
        todo = [self.process.pid]
        while todo:
            pid = todo.pop()
            try:
                if os.path.realpath(f"/proc/{pid}/exe") == binary:
                    return pid
                with open(f"/proc/{pid}/task/{pid}/children") as children:
                    todo += [int(c) for c in children.read().split()]
            except OSError:
                pass
        return None

    def memory(self):
        """VmRSS and RssAnon of the program, in KiB."""
        if self.args.call:
            calls = [a for c in self.args.call for a in ("-ex", f"call (void) {c}")]
            subprocess.run(["gdb", "-p", str(self.pid), "-batch", *calls], capture_output=True)
        with open(f"/proc/{self.pid}/status") as status:
            fields = dict(line.split(":", 1) for line in status)
        return int(fields["VmRSS"].split()[0]), int(fields["RssAnon"].split()[0])

    def close(self):
        if self.reader:
            self.reader.close()
        if self.args.wrap and self.pid and self.process.poll() is None:
            # Killed, so that a heap profiler records everything still held
            # as it was, and then given time to write its file.
            os.kill(self.pid, signal.SIGKILL)
            try:
                self.process.wait(300)
            except subprocess.TimeoutExpired:
                pass
        self.e2e.end(self.process)
        if self.log:
            self.log.close()
        self.display.close()


def slope(points):
    """Least-squares slope of (x, y) points."""
    n = len(points)
    mx = sum(x for x, _ in points) / n
    my = sum(y for _, y in points) / n
    sxx = sum((x - mx) ** 2 for x, _ in points)
    return sum((x - mx) * (y - my) for x, y in points) / sxx if sxx else 0.0


def main():
    args = parse()
    in_own_session()
    soak = Soak(args)
    samples = []
    started = time.monotonic()
    try:
        for n in range(1, args.warmup + args.rounds + 1):
            soak.round()
            measured = n - args.warmup
            if measured >= 0 and measured % args.every == 0:
                time.sleep(0.2)  # let deferred deletions run
                rss, anon = soak.memory()
                samples.append((measured, rss, anon))
                print(f"round={measured} rss_kib={rss} anon_kib={anon}", flush=True)
    finally:
        soak.close()
    seconds = time.monotonic() - started
    rss_slope = slope([(r, v) for r, v, _ in samples])
    anon_slope = slope([(r, v) for r, _, v in samples])
    first, last = samples[0], samples[-1]
    print(f"soak windows={args.windows} bridge={args.bridge} rounds={args.rounds} warmup={args.warmup} "
          f"growth_kib_per_round={rss_slope:.2f} anon_growth_kib_per_round={anon_slope:.2f} "
          f"rss_first_kib={first[1]} rss_last_kib={last[1]} seconds={seconds:.0f}", flush=True)


if __name__ == "__main__":
    main()
