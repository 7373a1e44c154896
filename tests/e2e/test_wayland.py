"""Natively on sway: the keyboard road, the About box kept above its activated owner, no Qt title bars."""

from pathlib import Path

from test_every_window import ABOUT
from tomira_e2e import ARTIFACTS, Sway, TomiraTestCase, text_of, wait_for


class NativeWayland(TomiraTestCase):
    display_class = Sway

    def test_keys_and_the_about_box_above_its_owner(self):
        self.tomira.wait_focus("名前")
        self.display.run("wtype", "-s", "300", "-d", "60", "\n170\n65\n20\n\n")  # Enter moves on, then presses 計算
        wait_for("the BMI", lambda: text_of(self.tomira.find(self.main, "text", "体型診断（BMI）")) == "22.5")
        self.display.key("alt+h", "v")
        self.tomira.window(ABOUT, roles=("dialog",))
        self.display.run("swaymsg", '[title="^TOMIRA$"] focus')
        wait_for("the About box on top with the focus",
                 lambda: [(w["name"], w["focused"]) for w in self.display.windows()] == [("TOMIRA", False), (ABOUT, True)])
        self.tomira.screenshot("wayland-about-above-main")
        self.assertEqual([w["window_rect"]["height"] - w["geometry"]["height"] for w in self.display.windows()], [0, 0])
        self.display.key("Return")
        self.tomira.no_window(ABOUT, roles=("dialog",))
        self.display.key("alt+x")
        self.assertEqual(self.tomira.gone(), 0)
        self.assertNotIn("qt.qpa", Path(ARTIFACTS, "test_wayland-stderr.log").read_text())
