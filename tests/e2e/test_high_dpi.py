"""Every window at the normal size, at the laptops' 1.25 and 1.5 and at twice
the size (QT_SCALE_FACTOR): a screenshot of each at each scale, Japanese
drawn as glyphs, the window as many times as large on the screen and centred
on it, and every control where it was in the window's own
(device-independent) coordinates."""

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
    frame, inside = tomira.active_window_frame()
    width, height = tomira.display.size
    centre_offset = (frame[0] + frame[2] / 2 - width / 2, frame[1] + frame[3] / 2 - height / 2)
    origin = tomira.logical_extents(window)
    boxes, seen = {}, {}
    for node in walk(window):
        if role(node) not in CONTROL_ROLES or not node.getState().contains(pyatspi.STATE_SHOWING):
            continue
        key = (role(node), node.name)
        seen[key] = seen.get(key, 0) + 1
        e = tomira.logical_extents(node)
        boxes[key + (seen[key],)] = (e.x - origin.x, e.y - origin.y, e.width, e.height)
    return inside[2:], boxes, centre_offset


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

    def test_every_window_keeps_its_layout_at_every_scale(self):
        normal = self.visit_every_window(None)
        for scale in (1.25, 1.5, 2):
            scaled = self.visit_every_window(scale)
            self.assertEqual(set(normal), set(scaled))
            for name, ((width, height), boxes, centre_offset) in normal.items():
                (width2, height2), boxes2, centre_offset2 = scaled[name]
                with self.subTest(window=name, scale=scale):
                    for offset in centre_offset + centre_offset2:
                        self.assertLessEqual(abs(offset), SLACK + 1, "the window is centred on the screen")
                    self.assertAlmostEqual(width2, scale * width, delta=SLACK, msg="window width")
                    self.assertAlmostEqual(height2, scale * height, delta=SLACK, msg="window height")
                    self.assertEqual(set(boxes), set(boxes2), "the same controls show at every scale")
                    for key, box in boxes.items():
                        for value, value2, what in zip(box, boxes2[key], ("x", "y", "width", "height")):
                            self.assertAlmostEqual(value2, value, delta=SLACK, msg=f"{key} {what}")


if __name__ == "__main__":
    unittest.main()
