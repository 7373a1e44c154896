"""tomira.exe under Wine in a fresh Japanese prefix: installed from the MSI, walked from the keyboard (read
through the clipboard, each window saved as wine-<window>-x<scale>.png), the tool started, uninstalled; at 96,
120 and 144 dpi (100, 125 and 150 %), each in a prefix of its own."""

import glob
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from difflib import SequenceMatcher  # noqa: E402
from tomira_e2e import ABOUT, ARTIFACTS, Display, end, wait_for  # noqa: E402

NAME = "TOMIRA 体質診断"
# Each window's size at 96 dpi as its form lays it out: its client area in twips (15 to a pixel), the menu bar 18 px.
TWIPS = {"questionnaire": (10335, 8580), "dialog-bmi": (8385, 7680), "dialog-ideal-weight": (9780, 4845),
         "dialog-fat-mass": (9780, 4845), "main-window": (8160, 7905 + 18 * 15), "about-box": (5745, 3855)}
SLOW = 120  # Wine's first start of a prefix, and the rare start that takes long
# Qt's own words in a field's context menu, from its Japanese translation beside tomira.exe (before each access key).
FIELD_MENU = ["元に戻す", "やり直す", "切り取り", "コピー", "貼り付け", "削除", "すべてを選択"]


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class WineRoad(unittest.TestCase):
    def prefix_at(self, dpi):  # a display and a fresh prefix whose screen has this many dots per inch
        self.dpi, self.display = dpi, Display()
        self.addCleanup(self.display.close)
        self.prefix = tempfile.mkdtemp(prefix="tomira-wine-e2e.")
        self.env = dict(self.display.env, WINEPREFIX=self.prefix, WINEARCH="win64", WINEDEBUG="-all",
                        LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        self.env.pop("XMODIFIERS", None)  # no input method here
        self.addCleanup(subprocess.run, ["rm", "-rf", self.prefix])
        self.addCleanup(subprocess.run, [os.environ["WINESERVER"], "-k"], env=self.env, capture_output=True)
        self.wine("wineboot", "--init")
        # Wine has no Windows fonts: the font the windows ask for is IPAPGothic here.
        self.regedit('[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n"ＭＳ Ｐゴシック"="IPAPGothic"\n\n'
                     f'[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:{dpi:08x}')
        self.wine("msiexec", "/i", windows_path(os.environ["TOMIRA_MSI"]), "/qn")

    def wine(self, *args, timeout=SLOW):
        return subprocess.run([os.environ["WINE"], *args], env=self.env, capture_output=True, timeout=timeout,
                              check=True).stdout

    def installed(self):  # the programs' uninstall entries, as Windows lists them (in its code page)
        return self.wine("uninstaller", "--list").decode("cp932", "replace")

    def regedit(self, lines):
        reg = os.path.join(self.prefix, "settings.reg")
        with open(reg, "w", encoding="utf-16") as file:
            file.write("Windows Registry Editor Version 5.00\r\n\r\n" + lines.replace("\n", "\r\n") + "\r\n")
        self.wine("regedit", "/S", windows_path(reg))

    def user_folder(self, *parts):
        return os.path.join(glob.glob(os.path.join(self.prefix, "drive_c", "users", "*", "AppData"))[0], *parts)

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
        # The size its layout gives at this scale (Windows' menu bar may be a pixel taller), and the size of the
        # Linux picture at the same scale where this run made one.
        scale = self.dpi / 96
        path = os.path.join(ARTIFACTS, f"wine-{name}-x{scale:g}.png")
        linux = os.path.join(ARTIFACTS, f"{name}-x{scale:g}.png")
        subprocess.run(["import", "-window", window, path], env=self.env, check=True, capture_output=True)
        size = [int(n) for n in self.x("identify", "-format", "%w %h", path).split()]
        for expected in [[t / 15 * scale for t in TWIPS[name]]] + (
                [[int(n) for n in self.x("identify", "-format", "%w %h", linux).split()]] if os.path.exists(linux) else []):
            for got, want in zip(size, expected):
                self.assertAlmostEqual(got, want, delta=2, msg=f"{name} at {self.dpi} dpi: the same layout")

    def started(self):  # tomira.exe as the Start menu starts it, its main window active
        program = subprocess.Popen([os.environ["WINE"], self.user_folder("Local", "Programs", "TOMIRA", "tomira.exe")],
                                   env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(end, program)
        self.addCleanup(self.display.screenshot, os.path.join(ARTIFACTS, f"wine-last-screen-{self.dpi}dpi.png"))
        main = self.window("TOMIRA")
        self.activate(main)
        return program, main

    def copied(self, expected, *keys):
        self.display.key(*keys)
        return wait_for(f"{expected!r} on the clipboard", lambda: expected in self.x(
            "xclip", "-o", "-selection", "clipboard"))

    def field_menu(self, *how):
        """Checks the items of the focused field's context menu opened by `how` (xdotool), read from its picture
        by OCR; returns where it opened."""
        shown = self.x("xdotool", "search", "--onlyvisible", "--class", "tomira.exe").split()
        self.display.xdotool(*how)
        menu = wait_for(f"the field's menu by {how[-1]}", lambda: next((w for w in self.x(
            "xdotool", "search", "--onlyvisible", "--class", "tomira.exe").split() if w not in shown), None), 10)
        time.sleep(0.5)  # drawn
        path = os.path.join(ARTIFACTS, "wine-field-menu.png")
        # Enlarged, and the grey of the unavailable items made black, for the OCR.
        subprocess.run(["import", "-window", menu, path], env=self.env, check=True, capture_output=True)
        subprocess.run(["convert", path, "-resize", "450%", "-colorspace", "Gray", "-threshold", "85%", path], check=True)
        place = self.x("xdotool", "getwindowgeometry", "--shell", menu).split()[1:3]
        self.display.key("Escape")
        lines = self.x("tesseract", path, "-", "-l", "jpn", "--psm", "6").splitlines()
        items = [re.split(r"[(（]", line.split()[0])[0] for line in lines if line.strip()]
        self.assertEqual(len(items), len(FIELD_MENU), f"the menu by {how[-1]}: {items}")
        for got, want in zip(items, FIELD_MENU):  # the OCR may misread a character, never a whole English word
            self.assertGreaterEqual(SequenceMatcher(None, got, want).ratio(), 0.75, f"the menu by {how[-1]}: {items}")
        return [v.split("=")[1] for v in place]

    def road(self, dpi):  # installs, walks every window from the keyboard, uninstalls
        self.prefix_at(dpi)
        folder = self.user_folder("Local", "Programs", "TOMIRA")
        entry = self.user_folder("Roaming", "Microsoft", "Windows", "Start Menu", "Programs", NAME + ".lnk")
        self.assertTrue(os.path.isfile(os.path.join(folder, "tomira.exe")) and os.path.isfile(entry))
        self.assertIn(NAME, self.installed())

        program, main = self.started()
        self.display.type("Yamada")
        # By the keys, and by the mouse where the keys opened it (on the field).
        place = self.field_menu("key", "shift+F10")
        self.field_menu("key", "Menu")
        self.field_menu("mousemove", "--sync", *place, "click", "3")
        for value in ("170", "65", "20"):  # each after Enter; then 計算
            self.display.key("Return")
            self.display.type(value)
        self.display.key("Return", "alt+c")

        # The questionnaire: 診断 follows 計算; the last page's Tab after row 20 reaches 結果表示.
        self.display.key("Tab", "Return")
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
        wait_for("the questionnaire to close", lambda: question not in self.x("xdotool", "search", "--name", ".").split())

        # From 診断, Tab reaches each explanation button; Enter opens and closes its dialog.
        for name, title in (("dialog-bmi", "BMIについて"), ("dialog-ideal-weight", "理想体重について"),
                            ("dialog-fat-mass", "体脂肪量について")):
            self.display.key("Tab")
            dialog = self.press_until(title, lambda: self.window(title, timeout=0.1), "Return")
            self.picture(name, dialog)
            self.closed(dialog, "Return", main)
        # Then on past the buttons to the result boxes; Tab selects a box's text.
        self.copied("ヴァータ型", *["Tab"] * 5, "ctrl+c")
        for value in ("22.5", "63.6", "13.0"):
            self.copied(value, "Tab", "ctrl+c")
        self.picture("main-window", main)

        # The About box starts the registered tool (unregistered or refused: WindowsTest.cpp).
        self.display.key("alt+h", "v")
        about = self.window(ABOUT)
        self.picture("about-box", about)
        tool = os.path.join(self.prefix, "drive_c", "sysinfo.exe")
        subprocess.run(["cp", os.environ["TOMIRA_SYSINFO_STUB"], tool], check=True)
        self.regedit("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                     '"PATH"="C:\\\\sysinfo.exe"')
        self.display.key("alt+s")
        wait_for("the system information tool to start", lambda: os.path.exists(tool + ".started"), SLOW)
        self.activate(about)  # the tool may have had the focus
        self.closed(about, "Escape", main)
        self.press_until("tomira.exe to end", lambda: program.poll() is not None, "alt+x")  # 終了(&X)
        self.assertEqual(program.returncode, 0)

        self.wine("msiexec", "/x", windows_path(os.environ["TOMIRA_MSI"]), "/qn")
        self.assertFalse(os.path.exists(folder) or os.path.exists(entry), "the uninstall leaves nothing")
        self.assertNotIn(NAME, self.installed())

    def test_at_100_percent(self):
        self.road(96)

    def test_at_125_percent(self):
        self.road(120)

    def test_at_150_percent(self):
        self.road(144)


if __name__ == "__main__":
    unittest.main()
