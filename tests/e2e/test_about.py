"""The About box from the Help menu, its system information message on a
system without the tool, and its keyboard handling."""

import os

from tomira_e2e import TomiraTestCase, role, walk

TITLE = "TOMIRAのﾊﾞｰｼﾞｮﾝ情報"


class AboutBox(TomiraTestCase):
    def open_about(self):
        self.display.key("alt+h", "v")
        return self.tomira.window(TITLE, roles=("dialog", "frame"))

    def test_about_box_and_its_message(self):
        about = self.open_about()
        labels = [n.name for n in walk(about) if role(n) == "label"]
        self.assertIn("Version " + os.environ["TOMIRA_VERSION"], labels)
        self.tomira.wait_focus("OK")

        self.display.key("alt+s")
        box, texts = self.tomira.message_box("TOMIRA")
        self.tomira.screenshot("system-information-message")
        self.assertIn("現時点ではｼｽﾃﾑ情報を使用できません", texts)
        self.display.key("Return")
        self.tomira.no_window("TOMIRA", roles=("alert",))
        self.tomira.window(TITLE, roles=("dialog", "frame"))  # still open

        self.display.key("Escape")
        self.tomira.no_window(TITLE, roles=("dialog", "frame"))
        self.open_about()
        self.display.key("Return")  # OK is the default button too
        self.tomira.no_window(TITLE, roles=("dialog", "frame"))
        self.assertIsNone(self.tomira.process.poll())
