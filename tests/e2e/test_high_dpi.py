"""Every window at the normal size and at twice the size (QT_SCALE_FACTOR=2):
a screenshot of each at each scale, Japanese drawn as glyphs at both, the
window twice as large on the screen, and every control where it was in the
window's own (device-independent) coordinates."""

import unittest

import os
import subprocess

import pyatspi

from tomira_e2e import Display, Tomira, TomiraTestCase, role, text_of, wait_for, walk

CONTROL_ROLES = ("label", "push button", "text", "password text", "combo box", "check box")
SLACK = 2  # pixels a scaled size or position may be off by rounding


def layout(tomira, window):
    """Each showing control's box relative to its window, keyed by role,
    name and how many came before it with the same role and name."""
    origin = tomira.logical_extents(window)
    boxes, seen = {}, {}
    for node in walk(window):
        if role(node) not in CONTROL_ROLES or not node.getState().contains(pyatspi.STATE_SHOWING):
            continue
        key = (role(node), node.name)
        seen[key] = seen.get(key, 0) + 1
        e = tomira.logical_extents(node)
        boxes[key + (seen[key],)] = (e.x - origin.x, e.y - origin.y, e.width, e.height)
    return tomira.active_window_size(), boxes


class HighDpi(TomiraTestCase):
    def setUp(self):
        pass  # each scale starts its own display and program


    def visit_every_window(self, scale):
        """Opens each window in turn; returns {window: (size, boxes)}."""
        display = Display(scale)
        self.addCleanup(display.close)
        tomira = self.tomira = Tomira(display)
        self.addCleanup(tomira.close)
        suffix = f"x{scale or 1}"
        seen = {}

        def record(name, window, sample, text):
            seen[name] = layout(tomira, window)
            whole = tomira.screenshot(f"{name}-{suffix}-screen")
            self.assertJapaneseRenders(whole, sample, text)
            e = tomira.extents(window)
            subprocess.run(["convert", whole, "-crop", f"{e.width}x{e.height}+{e.x}+{e.y}", "+repage",
                            whole.replace("-screen.png", ".png")], check=True, capture_output=True)
            os.remove(whole)

        main = tomira.window("TOMIRA", roles=("frame",))
        tomira.wait_focus("名前")
        display.type("Yamada")
        for value in ("170", "65", "20"):
            display.key("Return")
            display.type(value)
        display.key("Return")
        tomira.wait_focus("計算")
        display.key("space")
        wait_for("the BMI", lambda: text_of(tomira.find(main, "text", "体型診断（BMI）")) == "22.5")
        heading = next(n for n in walk(main) if role(n) == "label" and n.name.startswith("体型診断"))
        record("main-window", main, heading, heading.name)

        for what, title, name in (("体型診断（BMI）", "BMIについて", "dialog-bmi"),
                                  ("理想体重（kg）", "理想体重について", "dialog-ideal-weight"),
                                  ("体脂肪量（kg）", "体脂肪量について", "dialog-fat-mass")):
            tomira.click(next(b for b in tomira.all(main, "push button")
                              if b.name == "解説" and b.description == what + "の解説"))
            dialog = tomira.window(title, roles=("dialog", "frame"))
            record(name, dialog, tomira.find(dialog, "label", title), title)
            display.key("alt+x")
            tomira.no_window(title, roles=("dialog", "frame"))

        display.key("alt+h", "v")
        about = tomira.window("TOMIRAのﾊﾞｰｼﾞｮﾝ情報", roles=("dialog", "frame"))
        description = next(n for n in walk(about) if role(n) == "label" and n.name.startswith("このプログラムは"))
        record("about-box", about, description, "このプログラムは")
        display.key("Escape")
        tomira.no_window("TOMIRAのﾊﾞｰｼﾞｮﾝ情報", roles=("dialog", "frame"))

        tomira.click(tomira.find(main, "push button", "診断"))
        question = tomira.window("TOMIRA", roles=("dialog",))
        statement = wait_for("the first statement",
                             lambda: next((n for n in walk(question)
                                           if role(n) == "label" and n.name.startswith(" 動作")), None))
        record("questionnaire", question, statement, statement.name.strip())
        tomira.click(tomira.find(question, "push button", "閉じる"))
        tomira.no_window("TOMIRA", roles=("dialog",))
        return seen

    def test_every_window_keeps_its_layout_at_twice_the_size(self):
        normal = self.visit_every_window(None)
        double = self.visit_every_window(2)
        self.assertEqual(set(normal), set(double))
        for name, ((width, height), boxes) in normal.items():
            (width2, height2), boxes2 = double[name]
            with self.subTest(window=name):
                self.assertAlmostEqual(width2, 2 * width, delta=SLACK, msg="window width")
                self.assertAlmostEqual(height2, 2 * height, delta=SLACK, msg="window height")
                self.assertEqual(set(boxes), set(boxes2), "the same controls show at both scales")
                for key, box in boxes.items():
                    for value, value2, what in zip(box, boxes2[key], ("x", "y", "width", "height")):
                        self.assertAlmostEqual(value2, value, delta=SLACK, msg=f"{key} {what}")


if __name__ == "__main__":
    unittest.main()
