"""tomira.exe under Wine in a fresh Japanese prefix at 96, 120 and 144 dpi (125 %, 150 %), installed from the MSI,
walked from the keyboard (read through the clipboard, each window saved as wine-<window>[-x<scale>].png)."""

import glob
import os
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from tomira_e2e import ARTIFACTS, Display, end, wait_for  # noqa: E402

ABOUT = "TOMIRAのﾊﾞｰｼﾞｮﾝ情報"
# Each window's size at 96 dpi as its form lays it out: its client area in twips (15 to a pixel), the menu bar 18 px.
TWIPS = {"questionnaire": (10335, 8580), "dialog-bmi": (8385, 7680), "dialog-ideal-weight": (9780, 4845),
         "dialog-fat-mass": (9780, 4845), "main-window": (8160, 7905 + 18 * 15), "about-box": (5745, 3855)}
SLOW = 120  # Wine's first start of a prefix, and the rare start that takes long


class WineRoad(unittest.TestCase):
    sizes = {}  # (dpi, window): its size in pixels

    def windows(self, dpi):  # a fresh display and prefix at this dpi, the MSI installed in it
        self.dpi, self.display = dpi, Display()
        self.addCleanup(self.display.close)
        self.prefix = tempfile.mkdtemp(prefix="tomira-wine-e2e.")
        self.env = dict(self.display.env, WINEPREFIX=self.prefix, WINEARCH="win64", WINEDEBUG="-all", LANG="ja_JP.UTF-8",
                        LC_ALL="ja_JP.UTF-8", WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d", XMODIFIERS="")
        self.addCleanup(subprocess.run, ["rm", "-rf", self.prefix])
        self.addCleanup(subprocess.run, [os.environ["WINESERVER"], "-k"], env=self.env, capture_output=True)
        self.wine("wineboot", "--init")
        # Wine has no Windows fonts: the font the windows ask for is IPAPGothic here.
        self.regedit('[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n"ＭＳ Ｐゴシック"="IPAPGothic"\n\n'
                     f'[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:{dpi:08x}')
        self.wine("msiexec", "/i", "Z:" + os.environ["TOMIRA_MSI"].replace("/", "\\"), "/qn")
        self.folder = glob.glob(os.path.join(self.prefix, "drive_c", "users", "*", "AppData", "Local", "Programs",
                                             "TOMIRA"))[0]

    def wine(self, *args, timeout=SLOW):
        return subprocess.run([os.environ["WINE"], *args], env=self.env, capture_output=True, timeout=timeout,
                              check=True).stdout

    def regedit(self, lines):
        reg = os.path.join(self.prefix, "drive_c", "settings.reg")
        with open(reg, "w", encoding="utf-16") as file:
            file.write("Windows Registry Editor Version 5.00\r\n\r\n" + lines.replace("\n", "\r\n") + "\r\n")
        self.wine("regedit", "/S", "C:\\settings.reg")

    def x(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=30).stdout

    def window(self, title, besides=(), timeout=SLOW):  # the X id of a shown window with this title
        return wait_for(f"the window '{title}'", lambda: next(
            (w for w in self.x("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split()
             if w not in besides), None), timeout)

    def press_until(self, what, probe, key):
        # Wine may pass a press as a repeat of a key whose release it lost, and buttons ignore repeats.
        for timeout in (5, 5, SLOW):
            self.display.key(key)
            try:
                return wait_for(what, probe, timeout)
            except AssertionError:
                if timeout == SLOW:
                    raise

    def closed(self, window, key, back):
        # Under Wine the window manager, not Windows, hands the focus back.
        self.press_until(f"window {window} to close", lambda: window not in self.x(
            "xdotool", "search", "--onlyvisible", "--name", ".").split(), key)
        self.activate(back)

    def activate(self, window):
        self.x("xdotool", "windowactivate", "--sync", window)
        time.sleep(0.5)

    def picture(self, name, window):
        # At 96 dpi the layout's size, else the size at 96 dpi times the scale; and the Linux picture's at the same
        # scale where this run made one (Windows' menu bar may be a pixel taller).
        scale = self.dpi / 96
        path = os.path.join(ARTIFACTS, f"wine-{name}{'' if scale == 1 else f'-x{scale:g}'}.png")
        subprocess.run(["import", "-window", window, path], env=self.env, check=True, capture_output=True)
        self.sizes[self.dpi, name] = size = [int(n) for n in self.x("identify", "-format", "%w %h", path).split()]
        linux = os.path.join(ARTIFACTS, f"{name}-x{scale:g}.png")
        for expected in [[t / 15 for t in TWIPS[name]] if scale == 1 else [n * scale for n in self.sizes[96, name]]] + (
                [map(int, self.x("identify", "-format", "%w %h", linux).split())] if os.path.exists(linux) else []):
            for got, want in zip(size, expected):
                self.assertAlmostEqual(got, want, delta=2, msg=f"{name} at {self.dpi} dpi: the same layout")

    def copied(self, expected, *keys):
        self.display.key(*keys)
        return wait_for(f"{expected!r} on the clipboard", lambda: expected in self.x(
            "xclip", "-o", "-selection", "clipboard"))

    def road(self, dpi):
        # At 96 dpi every window, the result boxes read back, the About box's tool; else the BMI dialog and About box.
        self.windows(dpi)
        program = subprocess.Popen([os.environ["WINE"], os.path.join(self.folder, "tomira.exe")], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(end, program)
        self.addCleanup(self.display.screenshot, os.path.join(ARTIFACTS, f"wine-last-screen-{dpi}dpi.png"))
        main, full = self.window("TOMIRA"), dpi == 96
        self.activate(main)
        for value in ("Yamada", "170", "65", "20"):
            self.display.type(value)
            self.display.key("Return")
        self.display.key("alt+c", "Tab")  # 診断 follows 計算

        if full:  # The questionnaire: the last page's Tab after row 20 reaches 結果表示.
            self.display.key("Return")
            question = self.window("TOMIRA", besides=(main,))
            for digit in ("5", "3", "2"):
                self.display.key(*[digit, "Tab"] * 20, "Return")
            self.display.key(*["Tab"] * 20)
            self.picture("questionnaire", question)
            self.display.key("Return")
            report = self.window("確認")
            self.copied("アユルヴェーダによるあなたの体質は「ヴァータ型」です。", "ctrl+c")
            self.copied("ヴァータ：100  ピッタ：60  カパ：40", "ctrl+c")
            self.closed(report, "Return", main)
        # From 診断, Tab reaches each explanation button; Enter opens and closes its dialog.
        for name, title in (("dialog-bmi", "BMIについて"), ("dialog-ideal-weight", "理想体重について"),
                            ("dialog-fat-mass", "体脂肪量について"))[:3 if full else 1]:
            self.display.key("Tab")
            dialog = self.press_until(title, lambda: self.window(title, timeout=0.1), "Return")
            self.picture(name, dialog)
            self.closed(dialog, "Return", main)
        if full:  # Then on past the buttons to the result boxes; Tab selects a box's text.
            self.copied("ヴァータ型", *["Tab"] * 5, "ctrl+c")
            for value in ("22.5", "63.6", "13.0"):
                self.copied(value, "Tab", "ctrl+c")
        self.picture("main-window", main)

        self.display.key("alt+h", "v")
        about = self.window(ABOUT)
        self.picture("about-box", about)
        if full:  # With no tool registered, its message; then the registered tool started (refused: WindowsTest.cpp).
            self.display.key("alt+s")
            box = self.window("TOMIRA", besides=(main,))
            self.copied("現時点ではｼｽﾃﾑ情報を使用できません", "ctrl+c")
            self.closed(box, "Return", about)
            tool = os.path.join(self.prefix, "drive_c", "sysinfo.exe")
            subprocess.run(["cp", os.environ["TOMIRA_SYSINFO_STUB"], tool], check=True)
            self.regedit('[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"PATH"="C:\\\\sysinfo.exe"')
            self.display.key("alt+s")
            wait_for("the system information tool to start", lambda: os.path.exists(tool + ".started"), SLOW)
            self.activate(about)  # the tool may have had the focus
        self.closed(about, "Escape", main)
        self.press_until("tomira.exe to end", lambda: program.poll() is not None, "alt+x")
        self.assertEqual(program.returncode, 0)

    def test_every_window_from_the_keyboard_at_100_125_and_150_percent(self):
        for dpi in (96, 120, 144):  # 96 first: the sizes at 120 and 144 dpi are its sizes times 1.25 and 1.5
            self.road(dpi)


if __name__ == "__main__":
    unittest.main()
