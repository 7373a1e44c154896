"""Japanese typed through Mozc on fcitx5 (the program switches it per field) and on ibus (the user turns it
on; the program keeps the height and disabled fields free of it and commits a composition once)."""

from tomira_e2e import ImeTestCase, text_of, wait_for


class ImeCases:
    """The cases; each framework's class says how the IME comes on in the name field (ime_on_in_name)."""

    def test_name_converted_height_plain_weights_direct(self):
        self.tomira.wait_focus("名前")
        self.ime_on_in_name()
        self.type_slowly("yamada")
        self.display.key("space", "Return")
        self.settle("Space and Enter convert and commit the name", "名前", "山田")
        self.tomira.wait_focus("名前")  # the committing Enter only commits
        for value, next_field in (("", "身長"), ("170", "体重"), ("65", "体脂肪率")):
            self.type_slowly(value)
            self.display.key("Return")
            self.tomira.wait_focus(next_field)
        self.assertEqual(self.text("身長"), "170")
        self.type_slowly("20")
        self.tomira.click(self.tomira.find(self.main, "check box", "体重等を表示する"))
        self.settle("typed masked", "体重", "65")
        self.assertEqual(self.text("体脂肪率"), "20")
        self.tomira.click(self.field("体脂肪率"))
        self.display.key("ctrl+a")
        self.type_slowly("18")
        self.settle("typed shown", "体脂肪率", "18")

    def test_a_deleted_composition_never_and_a_pending_one_once_into_its_field(self):
        self.tomira.wait_focus("名前")
        self.ime_on_in_name()
        self.type_slowly("a")
        self.display.key("BackSpace", "sleep", "0.5")  # all of it: nothing is left to commit
        # Mozc's suggestions cover the two fields below the name.
        self.tomira.click(self.field("体脂肪率"))
        self.type_slowly("20")
        self.tomira.click(self.field("名前"))
        self.tomira.wait_focus("名前")
        self.ime_on_in_name()
        self.type_slowly("yamadaa")
        self.display.key("BackSpace")
        self.tomira.click(self.field("体脂肪率"))
        self.tomira.wait_focus("体脂肪率")
        self.settle("a composition deleted, then one left by a click", "名前", "やまだ")
        self.tomira.click(self.tomira.find(self.main, "check box", "体重等を表示する"))
        self.settle("the field clicked into", "体脂肪率", "20")

    def test_alt_c_commits_a_pending_composition_then_calculates(self):
        self.tomira.wait_focus("名前")
        for name, value in (("身長", "170"), ("体重", "65"), ("体脂肪率", "20"), ("名前", "yamada")):
            self.tomira.click(self.field(name))
            self.tomira.wait_focus(name)
            if name == "名前":
                self.ime_on_in_name()
            self.type_slowly(value)
        # Alt held down commits the composition; C, pressed once it has, reaches the window past the IME.
        self.display.xdotool("keydown", "alt")
        wait_for("Alt to commit the name", lambda: self.text("名前") == "やまだ")
        self.display.xdotool("key", "c", "keyup", "alt")
        bmi = self.tomira.find(self.main, "text", "体型診断（BMI）")
        wait_for("the BMI", lambda: text_of(bmi) == "22.5")
        self.settle("a composition left by Alt+C", "名前", "やまだ")
        self.assertEqual(self.text("身長"), "170")


class Fcitx5Mozc(ImeCases, ImeTestCase):
    framework = "fcitx5"

    def ime_on_in_name(self):
        wait_for("the program to turn Mozc on", lambda: self.fcitx5("State") == "int32 2"
                 and self.fcitx5("CurrentInputMethod") == 'string "mozc"')


class IBusMozc(ImeCases, ImeTestCase):
    framework = "ibus"
    turned_on = False

    def ime_on_in_name(self):
        """Zenkaku_Hankaku, as the user turns Mozc on, until a probe letter comes out as あ. Mozc starting
        on a loaded machine lets the first press by."""
        if self.turned_on:
            return
        for _ in range(3):
            self.display.key("Zenkaku_Hankaku", "sleep", "0.5")
            self.type_slowly("a")
            self.display.key("Return")  # commits; without Mozc it moves on to the height
            probe = wait_for("the probe letter", lambda: self.text("名前") in ("a", "あ") and self.text("名前"))
            self.tomira.click(self.field("名前"))
            self.display.key("ctrl+a", "BackSpace")
            self.settle("the probe letter deleted", "名前", "")
            if probe == "あ":
                self.turned_on = True
                return
        self.fail("Zenkaku_Hankaku never turned Mozc on")
