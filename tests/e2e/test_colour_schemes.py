"""Every window as a user with a light, a dark and a coloured desktop sees
it (the qt6ct colour schemes "darker" and "waves"): a screenshot of each,
and every text on the screen at a WCAG contrast of at least 4.5 to 1
against the ground it stands on."""

import os
import subprocess
import tempfile
import unittest

import pyatspi

from tomira_e2e import Display, Tomira, role, text_of, wait_for, walk

SCHEMES = (None, "darker", "waves")
TEXT_ROLES = ("label", "push button", "text", "check box", "combo box", "menu item", "menu")
MINIMUM = 4.5


def luminance(rgb):
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def colours(shot, x, y, width, height):
    """The colours of a part of a screenshot, most frequent first."""
    out = subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                          "-depth", "8", "-format", "%c", "histogram:info:-"],
                         check=True, capture_output=True, text=True).stdout
    counted = []
    for line in out.splitlines():
        count, rest = line.split(":", 1)
        rgb = rest.split("(", 1)[1].split(")", 1)[0].split(",")[:3]
        counted.append((int(count), tuple(round(float(c)) for c in rgb)))
    return sorted(counted, reverse=True)


def text_contrast(shot, box):
    """Ground and the contrast of the text on it: the ground is the most
    frequent colour, the text's contrast the one that at least a few pixels
    reach (the cores of the strokes; their edges are blended)."""
    counted = colours(shot, *box)
    ground = counted[0][1]
    seen = 0
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


class ColourSchemes(unittest.TestCase):
    def start(self, scheme):
        env = {}
        if scheme:
            config = tempfile.mkdtemp(prefix="tomira-qt6ct-")
            os.makedirs(os.path.join(config, "qt6ct"))
            with open(os.path.join(config, "qt6ct", "qt6ct.conf"), "w") as conf:
                conf.write("[Appearance]\ncustom_palette=true\nstyle=Fusion\n"
                           f"color_scheme_path=/usr/share/qt6ct/colors/{scheme}.conf\n")
            env = {"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": config}
        self.display = Display()
        self.addCleanup(self.display.close)
        self.tomira = Tomira(self.display, env)
        self.addCleanup(self.tomira.close)
        self.name = scheme or "light"

    def check(self, window, what):
        """Screenshot, then every enabled text of the window read against its ground."""
        shot = self.tomira.screenshot(f"colours-{self.name}-{what}")
        for node in walk(window):
            state = node.getState()
            if role(node) not in TEXT_ROLES or not state.contains(pyatspi.STATE_SHOWING) \
                    or not state.contains(pyatspi.STATE_ENABLED) or not shown_text(node):
                continue
            e = self.tomira.extents(node)
            # Inside frames and bevels; past the box of a check box, before
            # the arrow of a list.
            left = {"check box": e.height, "label": 1}.get(role(node), 4)
            right = {"combo box": e.height, "label": 1}.get(role(node), 4)
            top = 1 if role(node) == "label" else 3
            box = (e.x + left, e.y + top, e.width - left - right, e.height - 2 * top)
            if box[2] < 4 or box[3] < 4:
                continue
            ground, ratio = text_contrast(shot, box)
            with self.subTest(scheme=self.name, window=what, text=shown_text(node)):
                self.assertGreaterEqual(ratio, MINIMUM, f"{role(node)} '{text_of(node)}' on {ground} at {box}")
                if node.name == "体重等を表示する":
                    self.assertEqual(ground, (0xE0, 0xE0, 0xE0), "the check box's own ground")

    def test_every_window_is_legible_in_every_scheme(self):
        for scheme in SCHEMES:
            self.start(scheme)
            tomira, display = self.tomira, self.display
            main = tomira.window("TOMIRA", roles=("frame",))
            tomira.wait_focus("名前")
            display.type("Yamada")
            for value in ("170", "65", "20"):
                display.key("Return")
                display.type(value)
            display.key("Return", "Return")
            wait_for("the BMI", lambda: text_of(tomira.find(main, "text", "体型診断（BMI）")) == "22.5")
            tomira.click(tomira.find(main, "check box", "体重等を表示する"))
            display.key("Tab")  # its own ground shows without the focus frame
            self.check(main, "main-window")

            display.key("alt+f")
            item = tomira.find(main, "menu item", "開く(O)")
            wait_for("the File menu", lambda: item.getState().contains(pyatspi.STATE_SHOWING))
            self.check(main, "file-menu")
            display.key("Escape", "Escape")

            for what, title in (("体型診断（BMI）", "BMIについて"), ("理想体重（kg）", "理想体重について"),
                                ("体脂肪量（kg）", "体脂肪量について")):
                tomira.click(next(b for b in tomira.all(main, "push button")
                                  if b.name == "解説" and b.description == what + "の解説"))
                dialog = tomira.window(title, roles=("dialog", "frame"))
                self.check(dialog, title)
                display.key("Return")
                tomira.no_window(title, roles=("dialog", "frame"))

            display.key("alt+h", "v")
            about = tomira.window("TOMIRAのﾊﾞｰｼﾞｮﾝ情報", roles=("dialog", "frame"))
            self.check(about, "about-box")
            display.key("alt+s")
            box, _ = tomira.message_box("TOMIRA")
            self.check(box, "message-box")
            display.key("Return")
            tomira.no_window("TOMIRA", roles=("alert",))
            display.key("Escape")
            tomira.no_window("TOMIRAのﾊﾞｰｼﾞｮﾝ情報", roles=("dialog", "frame"))

            tomira.click(tomira.find(main, "push button", "診断"))
            question = tomira.window("TOMIRA", roles=("dialog",))
            for _ in range(3):
                display.key("4", "Tab")
            self.check(question, "questionnaire")
            tomira.click(tomira.find(question, "push button", "閉じる"))
            tomira.no_window("TOMIRA", roles=("dialog",))
            self.doCleanups()


if __name__ == "__main__":
    unittest.main()
