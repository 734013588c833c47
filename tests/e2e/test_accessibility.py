"""What a screen reader hears of the pages: every button asked from another
process through Active Accessibility, as a screen reader asks it."""

import harness
from harness import (COMMAND4, COMMAND5, EXIT_BUTTON, NEXT_BUTTON, MenuTestCase, ProgramFolder, click, control_id,
                     program_button)

ROLE_PUSH_BUTTON = 43
STATE_UNAVAILABLE = 0x1


def accessible(page, ident):
    record = harness.probe("acc", page, ident)[0]
    return record["name"], int(record["role"]), int(record["state"])


class ScreenReaderTest(MenuTestCase):
    def test_buttons_are_named_by_number_fitting_or_purpose_and_a_disabled_one_reads_unavailable(self):
        # Present: page 1's 0, page 3's 0 (144) and 42 (186); the rest are missing.
        folder = ProgramFolder("acc-names", calculators=[0, 144, 186])
        menu = self.start_menu(folder)
        click(1, NEXT_BUTTON)
        menu.wait_visible([1, 2])
        click(2, NEXT_BUTTON)
        menu.wait_visible([1, 3])

        # (page, control, name, unavailable)
        expected = [
            (1, program_button(0), "0", False),
            (1, program_button(1), "1", True),
            (1, program_button(71), "71", True),
            (1, NEXT_BUTTON, "次ページ", False),
            (1, EXIT_BUTTON, "終了", False),
            (1, control_id(COMMAND4), "使用法マニュアル", False),
            (1, control_id(COMMAND5), "サポート", False),  # by its caption
            (3, program_button(0), "144 変形角丸　一級課題", False),
            (3, program_button(42), "186 角錐台A(芯ｽﾞﾚ)", False),
            (3, program_button(41), "185 角錐台A(芯ｽﾞﾚ)", True),
            (3, program_button(43), "187", True),  # no fitting name past the tooltips
            (3, NEXT_BUTTON, "次ページ", False),
        ]
        for page, ident, name, unavailable in expected:
            with self.subTest(page=page, control=ident):
                heard, role, state = accessible(page, ident)
                self.assertEqual(heard, name)
                self.assertEqual(role, ROLE_PUSH_BUTTON)
                self.assertEqual(bool(state & STATE_UNAVAILABLE), unavailable, f"state {state:#x}")

        # The names are for screen readers only: what the windows show stays.
        for page in (1, 3):
            found = harness.controls(page)
            self.assertEqual([found[program_button(i)]["text"] for i in (0, 42, 43)], ["", "", ""], page)
            self.assertEqual(found[NEXT_BUTTON]["text"], "", page)


if __name__ == "__main__":
    import unittest
    unittest.main()
