"""The constitution road from the keyboard: three pages of twenty answers, the report, the type shown."""

from tomira_e2e import TomiraTestCase, role, text_of, wait_for, walk


class Questionnaire(TomiraTestCase):
    def test_whole_test_from_the_keyboard(self):
        self.tomira.click(self.tomira.find(self.main, "push button", "診断"))
        window = self.tomira.window("TOMIRA", roles=("dialog",))
        wait_for("row 1's answer box to have the focus", lambda: (f := self.tomira.focused()) is not None
                 and role(f) == "combo box" and f.name.startswith("1"))
        # Each row's entry by its digit, then Tab; the Tab after row 20 reaches 次の質問, Enter presses it.
        for digit, score in (("5", "ｳﾞｧｰﾀ:100"), ("3", "ﾋﾟｯﾀ:60"), ("2", "ｶﾊﾟ:40")):
            wait_for("row 1 focused", lambda: self.tomira.focused().name.startswith("1"))
            for _ in range(20):
                self.display.type(digit)
                self.display.key("Tab")
            self.display.key("Return")
            wait_for(f"the score {score}", lambda: score in (n.name for n in walk(window) if role(n) == "label"))

        self.tomira.click(self.tomira.find(window, "push button", "結果表示"))
        box, labels = self.tomira.message_box("確認")
        self.tomira.screenshot("constitution-report")
        report = "\n".join(labels)
        self.assertIn("アユルヴェーダによるあなたの体質は「ヴァータ型」です。", report)
        self.assertIn("ヴァータ：100  ピッタ：60  カパ：40", report)
        self.assertIn("合計：200  平均：67", report)
        self.display.key("Return")
        self.tomira.no_window("TOMIRA", roles=("dialog",))
        wait_for("the type in the main window",
                 lambda: text_of(self.tomira.find(self.main, "text", "ｱﾕﾙｳﾞｪｰﾀﾞ体質")) == "ヴァータ型")
        self.tomira.click(self.tomira.find(self.main, "push button", "終了"))
        self.assertEqual(self.tomira.gone(), 0)
