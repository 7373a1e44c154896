"""The real tomira on a display of its own, driven with xdotool and read with AT-SPI; every wait bounded."""

import json
import os
import shutil
import subprocess
import tempfile
import time
import types
import unittest

import pyatspi

BINARY = os.environ.get("TOMIRA_BIN", "tomira")
ARTIFACTS = os.environ.get("TOMIRA_ARTIFACTS", os.path.join(tempfile.gettempdir(), "tomira-e2e"))
TIMEOUT = float(os.environ.get("TOMIRA_E2E_TIMEOUT", "15"))
ABOUT = "TOMIRAのﾊﾞｰｼﾞｮﾝ情報"  # the About box's title


def wait_for(what, probe, timeout=TIMEOUT, interval=0.05):
    """Polls probe() until it returns something true; fails naming `what`."""
    deadline = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < deadline:
        try:
            value = probe()
            if value:
                return value
        except Exception as error:  # the tree changes under us while windows open and close
            last_error = error
        time.sleep(interval)
    raise AssertionError(f"timed out after {timeout:.0f}s waiting for {what}"
                      + (f" (last error: {last_error})" if last_error else ""))


def walk(node, depth=0, limit=12):
    if node is not None:
        yield node
        for i in range(node.childCount if depth < limit else 0):
            yield from walk(node.getChildAtIndex(i), depth + 1, limit)


def role(node):
    # at-spi2-core 2.50 and later (Debian 13) call the push-button role "button".
    return {"button": "push button"}.get(node.getRoleName(), node.getRoleName())


def text_of(node):
    """What a screen reader reads of a node: its text, or else its name."""
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return node.name


def end(process):
    if process is not None and process.poll() is None:
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Display:
    """Xvfb with a window manager, on a display number of its own."""
    qt = {"QT_QPA_PLATFORM": "xcb"}

    def __init__(self, scale=None):
        read_fd, write_fd = os.pipe()
        # Room for the largest window at twice the size.
        screen = "2800x2100x24" if scale and float(scale) > 1 else "1280x1024x24"
        self.size = tuple(int(v) for v in screen.split("x")[:2])
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen, "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.xvfb.kill()
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.scale = scale
        os.makedirs(ARTIFACTS, exist_ok=True)
        self.wm_log = os.path.join(ARTIFACTS, os.environ.get("TOMIRA_E2E_MODULE", "e2e") + "-openbox.log")
        self.wm = None
        try:
            wait_for("the window manager", self._wm_running, timeout=max(TIMEOUT, 30))
        except BaseException:
            self.close()
            with open(self.wm_log, errors="replace") as log:
                print("openbox said:", log.read()[-2000:])
            raise

    def _wm_running(self):
        # A window manager that gave up while the machine was busy is started again.
        if self.wm is None or self.wm.poll() is not None:
            with open(self.wm_log, "ab") as log:
                self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                           stdout=subprocess.DEVNULL, stderr=log)
            return False
        return "window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                             capture_output=True, text=True).stdout

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True)

    def key(self, *keys):
        self.xdotool("key", "--delay", "40", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def click(self, x, y):
        self.xdotool("mousemove", "--sync", str(x), str(y), "click", "1")

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True, capture_output=True)

    def close(self):
        end(self.wm)
        end(self.xvfb)


class Sway:
    """sway, headless, as sway.conf sets it; keys through wtype, pictures through grim."""
    qt = {}

    def __init__(self, scale=None):
        self.scale, runtime = scale, os.environ["XDG_RUNTIME_DIR"]
        self.env = dict({k: v for k, v in os.environ.items() if k not in ("DISPLAY", "QT_QPA_PLATFORM")},
                        WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman")
        with open(os.path.join(ARTIFACTS, os.environ.get("TOMIRA_E2E_MODULE", "e2e") + "-sway.log"), "ab") as log:
            self.sway = subprocess.Popen(["sway", "-c", "sway.conf"], env=self.env, stdout=log, stderr=log)
        self.env["SWAYSOCK"] = os.path.join(runtime, f"sway-ipc.{os.getuid()}.{self.sway.pid}.sock")
        try:
            self.env["WAYLAND_DISPLAY"] = wait_for("sway", lambda: os.path.exists(self.env["SWAYSOCK"]) and next(
                n for n in os.listdir(runtime) if n.startswith("wayland-") and "." not in n))
        except BaseException:
            end(self.sway)
            raise
        # A keyboard that stays, or the window loses the focus; key() uses one, as a new one closes menus.
        self.keyboard = subprocess.Popen(["wtype", "-s", "3600000"], env=self.env)

    def run(self, *command):
        return subprocess.run(command, env=self.env, check=True, capture_output=True, text=True).stdout

    def windows(self):  # the topmost last
        def tree(node):
            yield from (n for c in node["nodes"] + node["floating_nodes"] for n in ([c] if c.get("pid") else tree(c)))
        return list(tree(json.loads(self.run("swaymsg", "-t", "get_tree"))))

    def key(self, *keys):
        args = ["-s", "300"]
        for *mods, name in (key.split("+") for key in keys):
            args += [a for m in mods for a in ("-M", m)] + ["-k", name] + [a for m in mods for a in ("-m", m)]
        self.run("wtype", *args)

    def screenshot(self, path):
        self.run("grim", path)

    def close(self):
        end(self.keyboard)
        end(self.sway)


class Tomira:
    """The program under test, found in the accessibility tree by its pid."""

    def __init__(self, display, extra_env=None):
        self.display = display
        env = dict(display.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **display.qt)
        if display.scale:
            env["QT_SCALE_FACTOR"] = str(display.scale)
        env.update(extra_env or {})
        os.makedirs(ARTIFACTS, exist_ok=True)
        self.log = open(os.path.join(ARTIFACTS, os.environ.get("TOMIRA_E2E_MODULE", "tomira") + "-stderr.log"), "ab")
        self.process = subprocess.Popen([BINARY], env=env, stdout=subprocess.DEVNULL, stderr=self.log)
        try:
            self.app = wait_for("tomira in the accessibility tree", self._find_app)
        except BaseException:
            self.close()
            raise

    def _find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        return next((app for app in map(desktop.getChildAtIndex, range(desktop.childCount))
                     if app is not None and app.get_process_id() == self.process.pid), None)

    # -- reading -----------------------------------------------------------
    def windows(self):
        return [w for w in (self.app.getChildAtIndex(i) for i in range(self.app.childCount)) if w is not None]

    def window(self, title, roles=("frame", "dialog", "alert"), timeout=TIMEOUT):
        """A showing top-level window with this title and one of these roles."""
        return wait_for(f"the window '{title}'", lambda: next((
            w for w in self.windows() if w.name == title and role(w) in roles
            and w.getState().contains(pyatspi.STATE_SHOWING)), None), timeout)

    def no_window(self, title, roles=("frame", "dialog", "alert")):
        wait_for(f"the window '{title}' to close",
                 lambda: all(w.name != title or role(w) not in roles
                             or not w.getState().contains(pyatspi.STATE_SHOWING)
                             for w in self.windows()))

    def find(self, root, role_name, name=None):
        """The first node below root with this role (and name)."""
        return wait_for(f"a {role_name} named {name!r} in '{root.name}'", lambda: next((
            n for n in walk(root) if role(n) == role_name and (name is None or n.name == name)), None))

    def message_box(self, title):
        """The text of the message box with this title, as a screen reader reads it."""
        box = self.window(title, roles=("alert", "dialog"))
        return box, [n.name for n in walk(box) if role(n) == "label" and n.name]

    def focused(self):
        return next((n for w in self.windows() for n in walk(w) if n.getState().contains(pyatspi.STATE_FOCUSED)),
                    None)

    def wait_focus(self, name):
        return wait_for(f"the focus on '{name}'", lambda: (f := self.focused()) is not None and f.name == name)

    def extents(self, node):
        """The control's box in screen pixels (AT-SPI gives Qt's device-independent ones)."""
        e, scale = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS), float(self.display.scale or 1)
        if scale == 1:
            return e
        window = node
        while role(window) not in ("frame", "dialog", "alert") and window.parent is not None:
            window = window.parent
        w = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        _, (x, y, _, _) = self.active_window_frame()
        return types.SimpleNamespace(x=x + round((e.x - w.x) * scale), y=y + round((e.y - w.y) * scale),
                                     width=round(e.width * scale), height=round(e.height * scale))

    def active_window_frame(self):
        """The focused window's frame and inside, each (x, y, width, height) in screen pixels."""
        def run(*command):
            return subprocess.run(command, env=self.display.env, capture_output=True, text=True).stdout
        window = run("xdotool", "getactivewindow").strip()
        value = {k.strip(): int(v) for k, v in (line.split(":", 1) for line in run("xwininfo", "-id", window)
                                                  .splitlines() if line.strip().startswith(("Absolute", "Width", "Height")))}
        extents = run("xprop", "-id", window, "_NET_FRAME_EXTENTS")
        left, right, top, bottom = ([int(v) for v in extents.split("=")[1].split(",")]
                                    if "=" in extents else (0, 0, 0, 0))
        return ((value["Absolute upper-left X"] - left, value["Absolute upper-left Y"] - top,
                 value["Width"] + left + right, value["Height"] + top + bottom),
                (value["Absolute upper-left X"], value["Absolute upper-left Y"], value["Width"], value["Height"]))

    # -- acting ------------------------------------------------------------
    def click(self, node):
        """A mouse click in the middle of a control, through the X server."""
        e = self.extents(node)
        self.display.click(e.x + e.width // 2, e.y + e.height // 2)

    def screenshot(self, name):
        self.display.screenshot(path := os.path.join(ARTIFACTS, name + ".png"))
        return path

    def gone(self, timeout=TIMEOUT):
        wait_for("tomira to end", lambda: self.process.poll() is not None, timeout)
        return self.process.returncode

    def close(self):
        end(self.process)
        self.log.close()


class TomiraTestCase(unittest.TestCase):
    scale = None
    display_class = Display

    def setUp(self):
        self.display = self.display_class(self.scale)
        self.addCleanup(self.display.close)
        self.tomira = Tomira(self.display, self.prepare())
        self.addCleanup(self.tomira.close)
        self.main = self.tomira.window("TOMIRA", roles=("frame",))

    def prepare(self):  # sets up the display for the program; returns its extra environment
        return {}


class ImeTestCase(TomiraTestCase):
    """Typing through Mozc on the subclass's framework, in a fresh home."""
    framework = None  # "fcitx5" or "ibus"
    FCITX5_PROFILE = ("[Groups/0]\nName=Default\nDefault Layout=us\nDefaultIM=mozc\n"
                      "[Groups/0/Items/0]\nName=keyboard-us\n[Groups/0/Items/1]\nName=mozc\n"
                      "[GroupOrder]\n0=Default\n")

    def setUp(self):
        self.home = tempfile.mkdtemp(dir=os.environ["HOME"])
        self.addCleanup(shutil.rmtree, self.home, True)
        super().setUp()

    def prepare(self):
        env = self.env = dict(self.display.env, HOME=self.home)
        log = open(os.path.join(ARTIFACTS, self.framework + ".log"), "ab")
        self.addCleanup(log.close)
        if self.framework == "fcitx5":
            os.makedirs(os.path.join(self.home, ".config/fcitx5"))
            with open(os.path.join(self.home, ".config/fcitx5/profile"), "w") as profile:
                profile.write(self.FCITX5_PROFILE)
            self.daemon = subprocess.Popen(["fcitx5", "--replace"], env=env, stdout=log, stderr=log)
            self.addCleanup(end, self.daemon)
            wait_for("fcitx5", lambda: self.fcitx5("CurrentInputMethod"))
        else:
            self.daemon = subprocess.Popen(["ibus-daemon", "--panel=disable", "--replace"], env=env,
                                           stdout=log, stderr=log)
            self.addCleanup(end, self.daemon)
            wait_for("the ibus bus", lambda: "unix:" in self.ime("ibus", "address"))
            def mozc_on_ibus():
                self.ime("ibus", "engine", "mozc-jp")
                return self.ime("ibus", "engine").strip() == "mozc-jp"
            wait_for("Mozc on ibus", mozc_on_ibus)
        return {"HOME": self.home, "QT_IM_MODULE": self.framework}

    def ime(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=10).stdout

    def fcitx5(self, method):
        """fcitx5's answer ("int32 2"), asked once ours owns its name (D-Bus would start another)."""
        def ask(*call):
            out = self.ime("dbus-send", "--session", "--print-reply", *call).strip().splitlines()
            return out[-1].strip() if out else ""
        if ask("--dest=org.freedesktop.DBus", "/", "org.freedesktop.DBus.NameHasOwner",
               "string:org.fcitx.Fcitx5") != "boolean true":
            return None
        return ask("--dest=org.fcitx.Fcitx5", "/controller", "org.fcitx.Fcitx.Controller1." + method)

    # -- typing as a Japanese user -------------------------------------------
    def type_slowly(self, text):  # at a pace the IME keeps up with
        self.display.xdotool("type", "--delay", "150", text)
        time.sleep(0.3)

    def field(self, name):
        return self.tomira.find(self.main, "password text" if self.masked(name) else "text", name)

    def masked(self, name):
        return name in ("体重", "体脂肪率") and not any(n.name == name and role(n) == "text" for n in walk(self.main))

    def text(self, name):
        return text_of(self.field(name))

    def settle(self, what, name, expected):
        """Waits for a field's text, then checks it stays (no late IME copy)."""
        try:
            wait_for(f"{what}: {name} reads {expected!r}", lambda: self.text(name) == expected)
        except AssertionError as error:
            raise AssertionError(f"{error}; it reads {self.text(name)!r}") from None
        time.sleep(1)
        self.assertEqual(self.text(name), expected, what)
