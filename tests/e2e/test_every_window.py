"""Every window of the metrics, About and constitution roads at scales 1-2 and in two qt6ct schemes: contrast, centre, size."""

import os
import shutil
import subprocess
import tempfile
import unittest

import pyatspi
from gi.repository import GLib

from tomira_e2e import ABOUT, Display, Tomira, role, text_of, wait_for, walk

SCALES = (1.25, 1.5, 2)
SCHEMES = ("darker", "waves")
TEXT_ROLES = ("label", "push button", "text", "check box", "combo box", "menu item", "menu")
SLACK = 2  # pixels a scaled size or position may be off by rounding
# The ways out besides the button 終了 (after the constitution road): the File menu's 終了 and Alt+F4 (the close box).
EXITS = (("alt+f", "x"), ("alt+F4",))
FIELD_MENU = ["元に戻す(U)", "やり直す(R)", "切り取り(T)", "コピー(C)", "貼り付け(P)", "削除", "すべてを選択"]  # Qt's words


def luminance(rgb):
    linear = [c / 255 / 12.92 if c / 255 <= 0.04045 else ((c / 255 + 0.055) / 1.055) ** 2.4 for c in rgb]
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]


def contrast(a, b):
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def text_contrast(shot, x, y, width, height):
    """The ground (the most frequent colour) and the contrast a few pixels (the strokes' cores) reach."""
    out = subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                          "-depth", "8", "-format", "%c", "histogram:info:-"],
                         check=True, capture_output=True, text=True).stdout
    counted = sorted(((int(line.split(":")[0]),
                       tuple(round(float(c)) for c in line.split("(")[1].split(")")[0].split(",")[:3]))
                      for line in out.splitlines()), reverse=True)
    ground, seen = counted[0][1], 0
    for ratio, count in sorted(((contrast(ground, c), n) for n, c in counted[1:]), reverse=True):
        seen += count
        if seen >= 4:
            return ground, ratio
    return ground, 1.0


def shown_text(node):
    """The text a control shows: for a list box, its chosen entry."""
    if role(node) == "combo box":
        return next((item.name for item in walk(node) if role(item) == "list item"
                     and item.getState().contains(pyatspi.STATE_SELECTED)), "")
    return (text_of(node) or "").strip()


class EveryWindow(unittest.TestCase):  # each scale and scheme starts its own display and program

    def check_contrast(self, shot, window, setup):
        for node in walk(window):
            state = node.getState()
            if role(node) not in TEXT_ROLES or not state.contains(pyatspi.STATE_SHOWING) \
                    or not state.contains(pyatspi.STATE_ENABLED) or not shown_text(node):
                continue
            e = self.tomira.extents(node)
            # Inside frames and bevels, past a check box's box, before a list's arrow.
            left = {"check box": e.height, "label": 1}.get(role(node), 4)
            right = {"combo box": e.height, "label": 1}.get(role(node), 4)
            top = 1 if role(node) == "label" else 3
            box = (e.x + left, e.y + top, e.width - left - right, e.height - 2 * top)
            if min(box[2:]) < 4:
                continue
            ground, ratio = text_contrast(shot, *box)
            with self.subTest(setup=setup, text=shown_text(node)):
                self.assertGreaterEqual(ratio, 4.5, f"{role(node)} on {ground} at {box}")

    def layout(self):
        """The window's size and centre offset on the X server (its controls' places: the widget tests)."""
        (x, y, width, height), inside = self.tomira.active_window_frame()
        return inside[2:], (x + (width - self.display.size[0]) / 2, y + (height - self.display.size[1]) / 2)

    def visit_every_window(self, scale=None, scheme=None, exit_keys=None):
        """Opens, checks and saves each window, leaves by `exit_keys` (or walks the constitution road and leaves by
        終了); returns each window's layout."""
        config = tempfile.mkdtemp(prefix="tomira-qt6ct-")
        self.addCleanup(shutil.rmtree, config, True)
        os.makedirs(os.path.join(config, "qt6ct"))
        with open(os.path.join(config, "qt6ct", "qt6ct.conf"), "w") as conf:
            conf.write("[Appearance]\ncustom_palette=true\nstyle=Fusion\n"
                       f"color_scheme_path=/usr/share/qt6ct/colors/{scheme}.conf\n")
        display = self.display = Display(scale)
        self.addCleanup(display.close)
        tomira = self.tomira = Tomira(display, scheme and {"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": config})
        self.addCleanup(tomira.close)
        setup, seen = scheme or f"x{scale or 1}", {}

        def record(name, window, sample=None):
            whole = tomira.screenshot(f"{name}-{setup}-screen")
            self.check_contrast(whole, window, setup)
            if sample is not None:  # a window of its own
                seen[name] = self.layout()
            e = tomira.extents(window)
            subprocess.run(["convert", whole, "-crop", f"{e.width}x{e.height}+{e.x}+{e.y}", "+repage",
                            whole.replace("-screen.png", ".png")], check=True, capture_output=True)
            os.remove(whole)

        def label(window, start):
            return wait_for(f"a label '{start}…'", lambda: next(
                (n for n in walk(window) if role(n) == "label" and n.name.startswith(start)), None))

        main = tomira.window("TOMIRA", roles=("frame",))
        tomira.wait_focus("名前")
        display.type("Yamada")
        if not (scale or scheme):  # Qt's own words: the name's context menu by the mouse, the Menu key and Shift+F10,
            # read from the item Down focuses (a context menu is no child of the program's in the accessibility tree)
            field, focused = tomira.extents(tomira.find(main, "text", "名前")), []
            pyatspi.Registry.registerEventListener(focused.append, "object:state-changed:focused")

            def menu_item():
                display.key("Down")
                while GLib.MainContext.default().iteration(False):
                    pass
                return next((e.source for e in focused if e.detail1 and role(e.source) == "menu item"), None)
            for how in (("mousemove", "--sync", str(field.x + 4), str(field.y + 4), "click", "3"), ("key", "Menu"),
                        ("key", "shift+F10")):
                focused.clear()
                display.xdotool(*how)
                item = wait_for(f"the name's menu by {how[-1]}", menu_item, interval=0.3)
                self.assertEqual([n.name.split("\t")[0] for n in walk(item.parent) if role(n) == "menu item"], FIELD_MENU)
                display.key("Escape")
                tomira.wait_focus("名前")
        for key, value in (("Return", "170"), ("KP_Enter", "65"), ("Return", "20")):  # the keypad's Enter as Enter
            display.key(key)
            display.type(value)
        display.key("Return")
        tomira.wait_focus("計算")
        display.key("Return")
        wait_for("the BMI", lambda: text_of(tomira.find(main, "text", "体型診断（BMI）")) == "22.5")

        # From 計算, Tab reaches each explanation button (after 診断); Enter opens and closes its dialog.
        display.key("Tab")
        for what, title, name, sentence in (
                ("体型診断（BMI）", "BMIについて", "dialog-bmi", "あなたのBMIは「22.5：普通型」です。"),
                ("理想体重（kg）", "理想体重について", "dialog-ideal-weight", "あなたの理想体重は「63.6kg」です。"),
                ("体脂肪量（kg）", "体脂肪量について", "dialog-fat-mass", "あなたの体脂肪量は「13.0kg」です。")):
            display.key("Tab")
            wait_for(f"the focus on {what}'s button",
                     lambda: (f := tomira.focused()) is not None and f.description == what + "の解説")
            display.key("Return")
            dialog = tomira.window(title, roles=("dialog", "frame"))
            record(name, dialog, tomira.find(dialog, "label", title))
            tomira.find(dialog, "label", sentence)
            display.key("Return")
            tomira.no_window(title, roles=("dialog", "frame"))

        tomira.click(tomira.find(main, "check box", "体重等を表示する"))
        display.key("Tab")  # the check box shows its own ground without the focus frame
        record("main-window", main, label(main, "体型診断"))

        display.key("alt+f")
        item = tomira.find(main, "menu item", "開く(O)")
        wait_for("the File menu", lambda: item.getState().contains(pyatspi.STATE_SHOWING))
        record("file-menu", main)
        display.key("Escape", "Escape")

        # The About box and its message (their keys: the widget test).
        display.key("alt+h", "v")
        about = tomira.window(ABOUT, roles=("dialog", "frame"))
        record("about-box", about, label(about, "このプログラムは"))
        display.key("alt+s")
        box, texts = tomira.message_box("TOMIRA")
        self.assertIn("現時点ではｼｽﾃﾑ情報を使用できません", texts)
        record("message-box", box)
        display.key("Return")
        tomira.no_window("TOMIRA", roles=("alert",))
        display.key("Escape")
        tomira.no_window(ABOUT, roles=("dialog", "frame"))

        # The constitution road: each row's entry by its digit, then Tab; the Tab after row 20 reaches 次の質問.
        tomira.click(tomira.find(main, "push button", "診断"))
        question = tomira.window("TOMIRA", roles=("dialog",))
        wait_for("row 1's answer box to have the focus", lambda: (f := tomira.focused()) is not None
                 and role(f) == "combo box" and f.name.startswith("1"))
        display.key(*["5", "Tab"] * 3)
        record("questionnaire", question, label(question, " 動作"))
        if scale or scheme:
            tomira.click(tomira.find(question, "push button", "閉じる"))
        else:
            for digit, rows, score in (("5", 17, "ｳﾞｧｰﾀ:100"), ("3", 20, "ﾋﾟｯﾀ:60"), ("2", 20, "ｶﾊﾟ:40")):
                display.key(*[digit, "Tab"] * rows, "Return")
                wait_for(score, lambda: score in (n.name for n in walk(question) if role(n) == "label"))
            tomira.click(tomira.find(question, "push button", "結果表示"))
            self.assertIn("アユルヴェーダによるあなたの体質は「ヴァータ型」です。\nヴァータ：100  ピッタ：60  カパ：40\n"
                          "合計：200  平均：67", "\n".join(tomira.message_box("確認")[1]))
            display.key("Return")
            wait_for("the type in the main window",
                     lambda: text_of(tomira.find(main, "text", "ｱﾕﾙｳﾞｪｰﾀﾞ体質")) == "ヴァータ型")
        tomira.no_window("TOMIRA", roles=("dialog",))
        if exit_keys:
            display.key(*exit_keys)
        else:
            tomira.click(tomira.find(main, "push button", "終了"))
        self.assertEqual(tomira.gone(), 0, f"{exit_keys or '終了'} ends the program")
        self.doCleanups()
        return seen

    def test_every_window_at_every_scale_and_in_every_scheme(self):
        normal = self.visit_every_window()
        for scheme in SCHEMES:
            self.visit_every_window(scheme=scheme, exit_keys=EXITS[1])
        for scale in SCALES:
            scaled = self.visit_every_window(scale, exit_keys=EXITS[0])
            self.assertEqual(set(normal), set(scaled))
            for name, ((width, height), centre) in normal.items():
                (width2, height2), centre2 = scaled[name]
                with self.subTest(window=name, scale=scale):
                    self.assertLessEqual(max(map(abs, centre + centre2)), SLACK + 1, "the window is centred")
                    for value2, value, what in ((width2, scale * width, "width"), (height2, scale * height, "height")):
                        self.assertAlmostEqual(value2, value, delta=SLACK, msg="window " + what)
