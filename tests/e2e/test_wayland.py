"""TOMIRA natively on Wayland, as in a session without XWayland: sway on its headless
backend, which floats the fixed-size windows and leaves their title bars to the program.
The body-metrics road and an explanation from the keyboard, and the About box kept above
the main window and given the keys back when sway activates the main window; no title
bar drawn by Qt; the windows placed by sway, without warnings."""

import os
import shutil
import unittest

from tomira_e2e import ARTIFACTS, Sway, TomiraTestCase, text_of, wait_for

ABOUT = "TOMIRAのﾊﾞｰｼﾞｮﾝ情報"


@unittest.skipUnless(all(map(shutil.which, ("sway", "wtype", "grim"))), "sway, wtype or grim is not installed")
class NativeWayland(TomiraTestCase):
    display_class = Sway

    def test_keys_an_explanation_and_the_about_box_above_its_owner(self):
        display, tomira = self.display, self.tomira
        self.assertEqual([(w["name"], w["shell"]) for w in display.windows()], [("TOMIRA", "xdg_shell")])
        tomira.wait_focus("名前")
        for value in ("170", "65", "20"):
            display.key("Return")
            display.type(value)
        display.key("Return")
        tomira.wait_focus("計算")
        display.key("Return")
        wait_for("the BMI", lambda: text_of(tomira.find(self.main, "text", "体型診断（BMI）")) == "22.5")
        display.key("Tab", "Tab")
        wait_for("the focus on BMI's explanation",
                 lambda: (f := tomira.focused()) is not None and f.description == "体型診断（BMI）の解説")
        display.key("Return")
        tomira.window("BMIについて", roles=("dialog", "frame"))
        tomira.screenshot("wayland-dialog-bmi")
        display.key("Return")
        tomira.no_window("BMIについて", roles=("dialog", "frame"))

        display.key("alt+h", "v")
        tomira.window(ABOUT, roles=("dialog",))
        display.swaymsg('[title="^TOMIRA$"] focus')
        wait_for("the About box on top with the focus",
                 lambda: [(w["name"], w["focused"]) for w in display.windows()] == [("TOMIRA", False), (ABOUT, True)])
        tomira.screenshot("wayland-about-above-main")
        self.assertEqual([w["window_rect"]["height"] - w["geometry"]["height"] for w in display.windows()], [0, 0],
                         "a title bar drawn by Qt (with a maximise button)")
        display.key("Return")
        tomira.no_window(ABOUT, roles=("dialog",))
        display.key("alt+x")
        self.assertEqual(tomira.gone(), 0)
        with open(os.path.join(ARTIFACTS, "test_wayland-stderr.log")) as log:
            self.assertNotIn("qt.qpa", log.read())
