"""The main window as a person meets it: menus, the not-implemented
message, and the three ways out."""

import unittest

from tomira_e2e import TomiraTestCase, role, walk

NOT_IMPLEMENTED = "ごめんなさい。まだ処理ができていません。"


class MainWindow(TomiraTestCase):
    def assertNotImplementedShown(self):
        box, labels = self.tomira.message_box("TOMIRA")
        self.assertIn(NOT_IMPLEMENTED, labels)
        self.display.key("Return")
        self.tomira.no_window("TOMIRA", roles=("alert", "dialog"))

    def test_japanese_text_renders(self):
        shot = self.tomira.screenshot("main-window")
        for name in ("体脂肪率", "体型診断（BMI）", "ｱﾕﾙｳﾞｪｰﾀﾞ体質", "理想体重（kg）"):
            self.assertJapaneseRenders(shot, self.tomira.find(self.main, "label", name), name)

    def test_every_control_is_named_for_a_screen_reader(self):
        controls = [n for n in walk(self.main)
                    if role(n) in ("text", "password text", "push button", "check box", "combo box")]
        self.assertGreaterEqual(len(controls), 17)
        unnamed = [role(n) for n in controls if not n.name.strip()]
        self.assertEqual(unnamed, [])
        named_with_marker = [n.name for n in controls if "(" in n.name and n.name.endswith(")")
                             and len(n.name) >= 3 and n.name[-3] == "(" and n.name[-2].isascii()]
        self.assertEqual(named_with_marker, [], "access-key markers are read out")

    def test_not_implemented_from_menus_and_button(self):
        self.display.key("alt+f")
        self.tomira.find(self.main, "menu item", "開く(O)")
        self.display.key("o")
        self.assertNotImplementedShown()
        self.display.key("alt+f", "s")
        self.assertNotImplementedShown()
        self.display.key("alt+f", "w")
        self.assertNotImplementedShown()
        self.display.key("alt+o")
        self.assertNotImplementedShown()
        explain = [b for b in self.tomira.all(self.main, "push button")
                   if b.name == "解説" and b.description == "ｱﾕﾙｳﾞｪｰﾀﾞ体質の解説"]
        self.assertEqual(len(explain), 1)
        self.tomira.click(explain[0])
        box, labels = self.tomira.message_box("TOMIRA")
        self.tomira.screenshot("not-implemented-message")
        self.assertIn(NOT_IMPLEMENTED, labels)
        self.tomira.click(self.tomira.find(box, "push button", "OK"))
        self.tomira.no_window("TOMIRA", roles=("alert", "dialog"))
        self.assertIsNone(self.tomira.process.poll())

    def test_exit_button_ends_the_program(self):
        self.tomira.click(self.tomira.find(self.main, "push button", "終了"))
        self.assertEqual(self.tomira.gone(), 0)

    def test_exit_menu_item_ends_the_program(self):
        self.display.key("alt+f", "x")
        self.assertEqual(self.tomira.gone(), 0)

    def test_close_box_ends_the_program(self):
        # The window manager closes the window as its close box does.
        self.display.key("alt+F4")
        self.assertEqual(self.tomira.gone(), 0)


if __name__ == "__main__":
    unittest.main()
