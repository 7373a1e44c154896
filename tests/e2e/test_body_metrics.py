"""The body-metrics road: typing the measurements, calculating, each of the
three explanation dialogs."""

from tomira_e2e import TomiraTestCase, role, text_of, wait_for, walk


class BodyMetrics(TomiraTestCase):
    def result(self, name):
        return text_of(self.tomira.find(self.main, "text", name))

    def test_calculation_and_dialogs_from_the_keyboard(self):
        self.tomira.wait_focus("名前")
        self.display.type("Yamada")
        for value in ("170", "65", "20"):
            self.display.key("Return")
            self.display.type(value)
        self.display.key("Return")
        self.tomira.wait_focus("計算")
        self.display.key("Return")
        wait_for("the BMI in its box", lambda: self.result("体型診断（BMI）") == "22.5")
        self.assertEqual(self.result("理想体重（kg）"), "63.6")
        self.assertEqual(self.result("体脂肪量（kg）"), "13.0")
        self.assertEqual(self.result("名前"), "Yamada")

        # From 計算 the Tab key reaches the explanation buttons in turn
        # (after 診断), and Enter opens each dialog and closes it again.
        self.display.key("Tab")
        for what, title, sentence, shot_name in (
                ("体型診断（BMI）", "BMIについて", "あなたのBMIは「22.5：普通型」です。", "dialog-bmi"),
                ("理想体重（kg）", "理想体重について", "あなたの理想体重は「63.6kg」です。", "dialog-ideal-weight"),
                ("体脂肪量（kg）", "体脂肪量について", "あなたの体脂肪量は「13.0kg」です。", "dialog-fat-mass")):
            with self.subTest(title):
                self.display.key("Tab")
                wait_for(f"the focus on {what}'s button",
                         lambda: (f := self.tomira.focused()) is not None and f.description == what + "の解説")
                self.display.key("Return")
                dialog = self.tomira.window(title, roles=("dialog", "frame"))
                labels = [n.name for n in walk(dialog) if role(n) == "label"]
                self.assertIn(sentence, labels)
                self.tomira.screenshot(shot_name)
                self.display.key("Escape")  # Esc does not close these dialogs
                self.tomira.window(title, roles=("dialog", "frame"))
                self.display.key("Return")
                self.tomira.no_window(title, roles=("dialog", "frame"))
