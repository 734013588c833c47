"""The page set on the real windows: navigation with real mouse and keyboard
input, the layout read back from the windows, button states, the tooltip
window, and screenshots of the five pages."""

import harness
from harness import (COMMAND4, COMMAND5, COMMAND6, COMMAND7, FRAME1, LABEL1, LABEL2, LABEL3, NEXT_BUTTON, MenuTestCase,
                     ProgramFolder, click, control_id, pages, press, program_button, release, stays, wait_until,
                     xdotool)

TWIPS_PER_PIXEL = 15


def px(twips):
    return round(twips / TWIPS_PER_PIXEL)


def following(page):
    return page % 5 + 1


class NavigationTest(MenuTestCase):
    def forward(self, menu, page):
        """A left click on the page's next button; waits for the next page."""
        click(page, NEXT_BUTTON)
        target = following(page)
        return menu.wait_visible([1] if target == 1 else [1, target])

    def test_right_press_goes_back_while_held_and_middle_press_goes_nowhere(self):
        folder = ProgramFolder("pages-back", calculators=[0])
        menu = self.start_menu(folder)
        self.forward(menu, 1)
        self.forward(menu, 2)

        press(3, NEXT_BUTTON, 3)
        try:
            snapshot = menu.wait_visible([1, 2])
        finally:
            release(3)
        self.assertEqual(snapshot[2]["foreground"], "1", snapshot.describe())
        stays(lambda: pages().visible() == [1, 2], what="page 2 in front after the release", seen=pages)

        press(2, NEXT_BUTTON, 2)
        release(2)
        stays(lambda: pages().visible() == [1, 2], what="no move on a middle press", seen=pages)

    def test_keyboard_activation_on_page_two_needs_a_left_press_first(self):
        folder = ProgramFolder("pages-keyboard", calculators=[0])
        menu = self.start_menu(folder)
        harness.probe("focus", 1, NEXT_BUTTON)
        xdotool("key", "space")
        menu.wait_visible([1, 2])

        harness.probe("focus", 2, NEXT_BUTTON)
        xdotool("key", "space")
        stays(lambda: pages().visible() == [1, 2], what="no move on the keyboard after reaching page 2 by keyboard",
              seen=pages)
        self.assertNotIn(3, pages(), "page 3 was created")
        # A left click still moves on.
        self.forward(menu, 2)

    def test_walking_forward_five_times_ends_on_page_one(self):
        folder = ProgramFolder("pages-ring", calculators=range(0, 72 * 5, 5))
        menu = self.start_menu(folder)
        for page in range(1, 6):
            snapshot = pages()
            self.assertEqual(snapshot[page]["title"], harness.PAGE_TITLE)
            rect = tuple(int(snapshot[page][k]) for k in ("left", "top", "right", "bottom"))
            shot = harness.SCREENSHOT_DIR / f"page{page}.png"
            # The page is painted once it is visible: wait until it is whole.
            harness.settled_screenshot(shot, rect)
            self.forward(menu, page)
        snapshot = pages()
        self.assertEqual(sorted(snapshot), [1, 2, 3, 4, 5], snapshot.describe())
        self.assertEqual(snapshot.visible(), [1], snapshot.describe())
        self.assertEqual(snapshot[1]["foreground"], "1", snapshot.describe())


class LayoutTest(MenuTestCase):
    def test_controls_sit_where_the_layout_table_puts_them(self):
        folder = ProgramFolder("layout", calculators=[0])
        self.start_menu(folder)
        found = harness.controls(1)
        # id → (left, top, width, height) in twips; None: not checked
        expected = {
            control_id(FRAME1): (90, 900, 11565, 7215),
            control_id(LABEL1): (300, 100, None, 495),
            control_id(LABEL2, 0): (3045, 340, None, None),
            control_id(LABEL2, 1): (4625, 105, None, None),
            control_id(LABEL3): (6900, 660, None, None),
            harness.ENTRY_BOX: (6900, 60, 2835, 315),
            harness.CONFIRM_BUTTON: (9405, 75, 570, 300),
            NEXT_BUTTON: (10215, 50, 705, 435),
            harness.EXIT_BUTTON: (10920, 50, 705, 435),
            control_id(COMMAND6): (15, 660, 3405, 300),
            control_id(COMMAND5): (3420, 660, 960, 300),
            control_id(COMMAND7): (4380, 660, 1260, 300),
            control_id(COMMAND4): (10215, 660, 1410, 330),
        }
        for index in (0, 1, 11, 12, 35, 60, 71):
            column, row = index % 12, index // 12
            expected[program_button(index)] = (15 + 960 * column, 105 + 1140 * row, 960, 1140)

        for ident, twips in expected.items():
            with self.subTest(control=ident):
                self.assertIn(ident, found, f"no control {ident} on page 1")
                control = found[ident]
                seen = (control["left"], control["top"], control["width"], control["height"])
                want = tuple(None if t is None else px(t) for t in twips)
                self.assertEqual(tuple(s if w is not None else None for s, w in zip(seen, want)), want,
                                 f"control {ident} ({control['class']} {control['text']!r}) at {seen}")
                in_frame = ident // 100 == 6
                self.assertEqual(control["parent"], control_id(FRAME1) if in_frame else 0, control)

        self.assertEqual(found[control_id(LABEL1)]["text"], "Orvanto展開")
        self.assertEqual(found[control_id(LABEL2, 0)]["text"], "Ver 2.315.5     B版")
        self.assertEqual(found[control_id(LABEL2, 1)]["text"], "[ 展開図Menu ] ①")
        self.assertEqual(found[control_id(COMMAND5)]["text"], "サポート")
        self.assertEqual(found[control_id(COMMAND7)]["text"], "エラー修復")
        self.assertEqual(found[control_id(COMMAND6)]["text"], "最新版チエック → クリックHPへ")
        self.assertEqual(len([c for c in found.values() if c["parent"] == control_id(FRAME1)]), 72)

    def test_buttons_of_absent_calculators_are_disabled(self):
        folder = ProgramFolder("layout-absent", calculators=[0, 2])
        (folder.path / "Ten0003.exe").mkdir()  # a folder does not count as the calculator
        self.start_menu(folder)
        found = harness.controls(1)
        states = {index: found[program_button(index)]["enabled"] for index in range(5)}
        self.assertEqual(states, {0: 1, 1: 0, 2: 1, 3: 0, 4: 0})

        # Were button 1 enabled, its click would bring the missing-file message,
        # which would hold up the click on button 2.
        click(1, program_button(1))
        click(1, program_button(2))
        starts = self.wait_starts(folder, 1)
        self.assertEqual([s["number"] for s in starts], [2])
        self.assertIsNone(harness.message_box("Vandrel", wait_ms=0), "the disabled button was clicked")


class TooltipTest(MenuTestCase):
    def test_page_three_button_zero_shows_its_tooltip(self):
        folder = ProgramFolder("tooltip", calculators=[144])
        menu = self.start_menu(folder)
        click(1, NEXT_BUTTON)
        menu.wait_visible([1, 2])
        click(2, NEXT_BUTTON)
        menu.wait_visible([1, 3])

        harness.hover(3, program_button(0))
        texts = wait_until(lambda: "変形角丸　一級課題" in harness.tooltip_texts(), timeout=8,
                           what="the tooltip of page 3 button 0", seen=harness.tooltip_texts)
        self.assertTrue(texts)

    def test_a_click_puts_the_tooltip_away_until_the_next_hover(self):
        harness.reg_delete(harness.DOZIZ_KEY)  # unregistered: the click also brings the entry
        folder = ProgramFolder("tooltip-click", calculators=[144])
        menu = self.start_menu(folder)
        cases = [(1, harness.NAME_LABEL, "一度のみ入力可能です"), (3, program_button(0), "変形角丸　一級課題")]
        for page, ident, text in cases:
            with self.subTest(page=page):
                if page == 3:
                    click(1, NEXT_BUTTON)
                    menu.wait_visible([1, 2])
                    click(2, NEXT_BUTTON)
                    menu.wait_visible([1, 3])
                shown = lambda: text in harness.tooltip_texts()
                harness.hover(page, ident)
                wait_until(shown, what=f"the tooltip {text} before the click", seen=harness.tooltip_texts)
                xdotool("click", 1)
                wait_until(lambda: not shown(), what="the click to put the tooltip away", seen=harness.tooltip_texts)
                if page == 1:  # the label's click brought the entry
                    self.assertEqual(harness.controls(1)[harness.ENTRY_BOX]["visible"], 1)
                xdotool("mousemove", 5, 5)  # off the page
                stays(lambda: not shown(), duration=0.3, what="no tooltip off the page", seen=harness.tooltip_texts)
                harness.hover(page, ident)
                wait_until(shown, what=f"the tooltip {text} again after the click", seen=harness.tooltip_texts)
        self.assertEqual([s["number"] for s in self.wait_starts(folder, 1)], [144], "the button's click started it")


if __name__ == "__main__":
    import unittest
    unittest.main()
