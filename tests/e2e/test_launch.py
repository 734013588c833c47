"""Launching calculators: hand-off values, the missing-program message and
program folders whose path holds spaces and Japanese characters."""

import harness
from harness import HANDOFF_KEY, MenuTestCase, ProgramFolder, click, message_box, pages, program_button, wait_until


def first_argument(command_line):
    """Splits a command line as the C runtime does for argv[0]: (argv[0], rest)."""
    if command_line.startswith('"'):
        end = command_line.find('"', 1)
        return command_line[1:end], command_line[end + 1:].strip()
    head, _, rest = command_line.partition(" ")
    return head, rest.strip()


class LaunchTest(MenuTestCase):
    def test_click_writes_the_hand_off_value_and_starts_the_calculator(self):
        # button index → the hand-off key it writes (None: nothing is written)
        cases = [(12, "Tkan"), (11, None), (47, "Kagam"), (48, "Ensui"), (53, None)]
        folder = ProgramFolder("launch-handoff", calculators=[index for index, _ in cases])
        harness.reg_delete(HANDOFF_KEY)
        self.start_menu(folder)

        for count, (index, key) in enumerate(cases, start=1):
            with self.subTest(button=index):
                before = harness.reg_values(HANDOFF_KEY) or {}
                click(1, program_button(index))
                start = self.wait_starts(folder, count)[-1]
                self.assertEqual(start["number"], index, start)
                self.assertEqual(start["exe"], f"{folder.windows}\\Ten{index:04d}.exe")
                after = harness.reg_values(HANDOFF_KEY) or {}
                if key is None:
                    self.assertEqual(after, before, "a button outside the hand-off groups wrote a value")
                else:
                    self.assertEqual(after.get(key), str(index), after)
                    # The calculator found the value in place when it started.
                    self.assertEqual(start[key], str(index), start)

    def test_a_file_that_is_not_a_program_brings_the_message(self):
        folder = ProgramFolder("launch-not-a-program", calculators=[12], not_programs=[13])
        harness.reg_delete(HANDOFF_KEY)
        menu = self.start_menu(folder)
        buttons = harness.controls(1)
        self.assertEqual(buttons[program_button(13)]["enabled"], 1, "the scan enables a present file")

        click(1, program_button(13))
        box = message_box("Vandrel")
        self.assertIsNotNone(box, f"no message box titled 'Vandrel'; windows: {harness.windows()}")
        self.assertEqual(box["text"], "[番号] = 13\r\n          ファイルがありません。")
        self.assertEqual(list(box["buttons"]), [1], box)  # OK only
        self.assertEqual(box["owner_page"], "1", box)
        harness.answer("Vandrel", "IDOK")
        self.assertIsNone(message_box("Vandrel", wait_ms=0))
        # The hand-off value was written before the start failed; the menu goes on.
        self.assertEqual((harness.reg_values(HANDOFF_KEY) or {}).get("Tkan"), "13")
        self.assertTrue(menu.running())
        self.assertEqual(folder.starts(), [])
        click(1, program_button(12))
        self.assertEqual(self.wait_starts(folder, 1)[0]["number"], 12)

    def test_the_message_holds_every_page_until_it_is_answered(self):
        # Page 2's button 0 names a file that is not a program.
        folder = ProgramFolder("launch-holds-all", calculators=[0], not_programs=[72])
        menu = self.start_menu(folder)
        click(1, harness.NEXT_BUTTON)
        menu.wait_visible([1, 2])
        click(2, harness.NEXT_BUTTON)
        menu.wait_visible([1, 3])
        harness.press(3, harness.NEXT_BUTTON, 3)  # back to page 2; page 3 stays, hidden
        harness.release(3)
        menu.wait_visible([1, 2])
        self.assertEqual(pages().enabled(), {1: True, 2: True, 3: True})

        click(2, program_button(0))
        box = message_box("Vandrel")
        self.assertIsNotNone(box, f"no message box; windows: {harness.windows()}")
        self.assertEqual(box["owner_page"], "2", box)
        snapshot = pages()
        self.assertEqual(snapshot.enabled(), {1: False, 2: False, 3: False}, snapshot.describe())

        harness.answer("Vandrel", "IDOK")
        def all_enabled():
            snapshot = pages()
            return snapshot if all(snapshot.enabled().values()) else False
        self.assertEqual(sorted(wait_until(all_enabled, what="every page enabled again", seen=pages)), [1, 2, 3])
        # Page 1 takes input again: its calculator starts.
        menu.wait_visible([1, 2])
        harness.probe("focus", 1, program_button(0))
        harness.xdotool("key", "Return")
        self.assertEqual(self.wait_starts(folder, 1)[0]["number"], 0)

    def test_program_folder_with_spaces_and_japanese_characters(self):
        folder = ProgramFolder("展開 メニュー テスト", calculators=[12, 72])
        self.start_menu(folder)
        click(1, program_button(12))
        start = self.wait_starts(folder, 1)[0]
        expected = f"{folder.windows}\\Ten0012.exe"
        self.assertEqual(start["exe"], expected)
        program, arguments = first_argument(start["cmdline"])
        self.assertEqual(program, expected, f"command line: {start['cmdline']!r}")
        self.assertEqual(arguments, "", f"command line: {start['cmdline']!r}")


if __name__ == "__main__":
    import unittest
    unittest.main()
