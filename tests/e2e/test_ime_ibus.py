"""Japanese input through Mozc on ibus: ibus switches Mozc for the whole
desktop only, so the user turns it on; the program keeps the height and the
disabled fields free of it and commits a composition once."""

import time

from ime_cases import ImeCases
from tomira_e2e import ImeTestCase


class IBusMozc(ImeCases, ImeTestCase):
    framework = "ibus"
    turned_on = False

    def ime_on_in_name(self):
        if not self.turned_on:
            time.sleep(0.5)
            self.display.key("Zenkaku_Hankaku")
            time.sleep(0.5)
            self.turned_on = True
