"""The ways out of the main window besides 終了 (the constitution road ends
with that button), each ending the program."""

from tomira_e2e import TomiraTestCase


class MainWindow(TomiraTestCase):
    def test_exit_menu_item_ends_the_program(self):
        self.display.key("alt+f", "x")
        self.assertEqual(self.tomira.gone(), 0)

    def test_close_box_ends_the_program(self):
        # The window manager closes the window as its close box does.
        self.display.key("alt+F4")
        self.assertEqual(self.tomira.gone(), 0)
