"""The three ways out of the main window, each ending the program."""
import unittest

from tomira_e2e import TomiraTestCase


class MainWindow(TomiraTestCase):
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
