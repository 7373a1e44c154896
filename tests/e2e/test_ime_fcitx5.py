"""Japanese input through Mozc on fcitx5: the program switches the IME of
each field as it gets the focus."""

from ime_cases import ImeCases
from tomira_e2e import ImeTestCase, wait_for


class Fcitx5Mozc(ImeCases, ImeTestCase):
    framework = "fcitx5"

    def ime_on_in_name(self):
        wait_for("the program to turn Mozc on", lambda: self.fcitx5("State") == "int32 2"
                 and self.fcitx5("CurrentInputMethod") == 'string "mozc"')
