"""Company name: the first start stores the prompt, a confirmed entry stores
the exact Japanese text, and the support button asks before starting the tool."""

import harness
from harness import (CONFIRM_BUTTON, ENTRY_BOX, NAME_KEY, NAME_LABEL, SUPPORT_BUTTON, UNSET_NAME, MenuTestCase,
                     ProgramFolder, click, message_box, wait_until, xdotool)

CONFIRM_TITLE = "登録 "
SUPPORT_TITLE = "サポート [遠隔操作]"


def confirm_text(name):
    return f"登録は一度のみ(10文字)有効です。\r\n\r\n現在の名称 [ {name} ]\r\n\r\n登録しますか　？"


def entry_state():
    found = harness.controls(1)
    return found[ENTRY_BOX], found[CONFIRM_BUTTON], found[NAME_LABEL]


class CompanyNameTest(MenuTestCase):
    def setUp(self):
        super().setUp()
        harness.reg_delete(harness.DOZIZ_KEY)

    def test_first_start_stores_the_prompt_and_a_confirmed_name_is_stored_exactly(self):
        folder = ProgramFolder("company-name")
        self.start_menu(folder)
        self.assertEqual((harness.reg_values(NAME_KEY) or {}).get("name"), UNSET_NAME)
        box, button, label = entry_state()
        self.assertEqual((box["visible"], button["visible"]), (1, 1))
        self.assertEqual(box["text"], "ここｸﾘｯｸして入力して下さい")
        self.assertEqual(label["text"], UNSET_NAME)

        # A click in the box empties it; then the name is typed for real.
        click(1, ENTRY_BOX)
        wait_until(lambda: entry_state()[0]["text"] == "", what="the entry box to be emptied by the click",
                   seen=lambda: entry_state()[0]["text"])
        xdotool("key", "shift")
        xdotool("type", "--delay", "40", "山田板金")
        wait_until(lambda: entry_state()[0]["text"] == "山田板金", what="the typed name in the box",
                   seen=lambda: entry_state()[0]["text"])

        # No: nothing is written and the entry stays with its text.
        click(1, CONFIRM_BUTTON)
        shown = message_box(CONFIRM_TITLE)
        self.assertIsNotNone(shown, f"no confirmation box; windows: {harness.windows()}")
        self.assertEqual(shown["text"], confirm_text("山田板金"))
        self.assertEqual(sorted(shown["buttons"]), [6, 7], shown)  # Yes and No
        harness.answer(CONFIRM_TITLE, "IDNO")
        self.assertEqual((harness.reg_values(NAME_KEY) or {}).get("name"), UNSET_NAME)
        box, button, _ = entry_state()
        self.assertEqual((box["visible"], button["visible"], box["text"]), (1, 1, "山田板金"))

        # Yes: a name with full-width and half-width forms is stored exactly.
        name = "（株）ﾔﾏﾀﾞ板金１"
        harness.probe("settext", 1, ENTRY_BOX, name)
        click(1, CONFIRM_BUTTON)
        shown = message_box(CONFIRM_TITLE)
        self.assertIsNotNone(shown, f"no confirmation box; windows: {harness.windows()}")
        self.assertEqual(shown["text"], confirm_text(name))
        harness.answer(CONFIRM_TITLE, "IDYES")
        wait_until(lambda: (harness.reg_values(NAME_KEY) or {}).get("name") == name, timeout=5,
                   what="the confirmed name in the store", seen=lambda: harness.reg_values(NAME_KEY))
        box, button, label = entry_state()
        self.assertEqual((box["visible"], button["visible"], label["text"]), (0, 0, name))

    def test_registered_name_is_shown_without_the_entry(self):
        harness.reg_set(NAME_KEY, {"name": "山田板金"})
        folder = ProgramFolder("company-registered")
        menu = self.start_menu(folder)
        box, button, label = entry_state()
        self.assertEqual((box["visible"], button["visible"], label["text"]), (0, 0, "山田板金"))
        click(1, harness.NEXT_BUTTON)
        menu.wait_visible([1, 2])
        self.assertEqual(harness.controls(2)[NAME_LABEL]["text"], "山田板金")

    def test_a_name_stored_as_a_number_counts_as_none(self):
        # Another program wrote a number under the name: the first start's state.
        harness.set_reg_dword(NAME_KEY, "name", 7)
        folder = ProgramFolder("company-number")
        self.start_menu(folder)
        box, button, label = entry_state()
        self.assertEqual((box["visible"], button["visible"], label["text"]), (1, 1, UNSET_NAME))
        # Stored back as text: reg_values lists string values only.
        self.assertEqual((harness.reg_values(NAME_KEY) or {}).get("name"), UNSET_NAME)


class SupportTest(MenuTestCase):
    def test_support_asks_first_and_starts_the_tool_only_on_yes(self):
        folder = ProgramFolder("support", extra=["HelvikSupport.exe"])
        self.start_menu(folder)
        click(1, SUPPORT_BUTTON)
        shown = message_box(SUPPORT_TITLE)
        self.assertIsNotNone(shown, f"no support box; windows: {harness.windows()}")
        self.assertEqual(shown["text"], "\r\n".join([
            "インターネットに接続して下さい。", "",
            "次画面はそのままの状態で、", "",
            "ID番号をスカイプ(推薦)又は", "",
            "Telでお知らせ下さい[遠隔操作]"]))
        self.assertEqual(sorted(shown["buttons"]), [6, 7], shown)
        harness.answer(SUPPORT_TITLE, "IDNO")

        click(1, SUPPORT_BUTTON)
        self.assertIsNotNone(message_box(SUPPORT_TITLE))
        harness.answer(SUPPORT_TITLE, "IDYES")
        starts = self.wait_starts(folder, 1)
        self.assertEqual(len(starts), 1, "No started the tool")
        self.assertEqual(starts[0]["exe"], f"{folder.windows}\\HelvikSupport.exe")


if __name__ == "__main__":
    import unittest
    unittest.main()
