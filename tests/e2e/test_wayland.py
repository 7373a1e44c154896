"""Natively on sway: the keyboard road, the About box kept above its activated owner, no Qt title bars; and X11
first in a session that has both."""

import subprocess
from pathlib import Path

from tomira_e2e import ABOUT, ARTIFACTS, Display, Sway, Tomira, TomiraTestCase, text_of, wait_for


class NativeWayland(TomiraTestCase):
    display_class = Sway

    def test_keys_and_the_about_box_above_its_owner(self):
        self.tomira.wait_focus("名前")
        self.display.run("wtype", "-s", "300", "-d", "60", "\n170\n65\n20\n\n")  # Enter moves on, then presses 計算
        wait_for("the BMI", lambda: text_of(self.tomira.find(self.main, "text", "体型診断（BMI）")) == "22.5")
        self.display.key("alt+h", "v")
        on_top = lambda: [(w["name"], w["focused"]) for w in self.display.windows()] == [("TOMIRA", False), (ABOUT, True)]
        wait_for("the About box mapped on top with the focus", on_top)
        self.display.run("swaymsg", '[title="^TOMIRA$"] focus')  # as a user focuses the blocked owner
        wait_for("the About box on top with the focus again", on_top)
        self.tomira.screenshot("wayland-about-above-main")
        self.assertEqual([w["window_rect"]["height"] - w["geometry"]["height"] for w in self.display.windows()], [0, 0])
        self.display.key("Return")
        self.tomira.no_window(ABOUT, roles=("dialog",))
        self.display.key("alt+x")
        self.assertEqual(self.tomira.gone(), 0)
        # Qt's warnings but one: the test's virtual keyboard comes without a keymap at first.
        self.assertEqual([line for line in Path(ARTIFACTS, "test_wayland-stderr.log").read_text().splitlines()
                          if "qt.qpa" in line and "unknown keymap format: 0" not in line], [])

    def test_x11_first_in_a_session_that_has_both(self):
        """Chosen before Qt starts, which would otherwise take Wayland for a session that says it is one."""
        x11 = Display()
        self.addCleanup(x11.close)
        second = Tomira(self.display, {"DISPLAY": x11.name, "XDG_SESSION_TYPE": "wayland"})
        self.addCleanup(second.close)
        second.window("TOMIRA", roles=("frame",))
        wait_for("its window on X11", lambda: subprocess.run(["xdotool", "search", "--pid", str(second.process.pid)],
                                                            env=x11.env, capture_output=True, text=True).stdout)
        self.assertNotIn(second.process.pid, [w["pid"] for w in self.display.windows()])
