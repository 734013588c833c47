"""The keyboard over the grid of program buttons, with real key presses:
the arrow keys, Home and End, Tab between the grid and the header, the
focus rectangle, and Enter and Space starting the focused calculator."""

import subprocess

import harness
from harness import HANDOFF_KEY, MenuTestCase, ProgramFolder, program_button, stays, wait_until, xdotool

# Present on page 1: Right from 0 passes over the missing 1, and stops at 5,
# the last present button of the row; Down from 2 passes over the missing 14
# to 26 (not to 5, the next present button); 70 is the last present button.
WALK_PROGRAMS = [0, 2, 5, 26, 40, 70]


def focused():
    """(page, control id) of the control with the keyboard focus."""
    lines = harness.probe("focused", allow_missing=True)
    return (int(lines[0]["page"]), int(lines[0]["id"])) if lines else None


def button_rect(page, index):
    record = harness.probe("click", page, program_button(index))[0]
    return tuple(int(record[k]) for k in ("left", "top", "right", "bottom"))


def differing_pixels(first, second, inset=0):
    """How many pixels two captures of one rectangle differ in, leaving out
    a border of `inset` pixels."""
    def cropped(path):
        if not inset:
            return str(path)
        out = path.with_name(f"{path.stem}-inner.png")
        subprocess.run(["convert", str(path), "-shave", f"{inset}x{inset}", "+repage", str(out)], check=True,
                       timeout=30, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        return str(out)
    result = subprocess.run(["compare", "-metric", "AE", cropped(first), cropped(second), "null:"], timeout=30,
                            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    return int(float(result.stderr.decode().split()[0]))


class GridKeyboardTest(MenuTestCase):
    def key_moves_focus_to(self, key, index, page=1):
        xdotool("key", key)
        want = (page, program_button(index))
        wait_until(lambda: focused() == want, what=f"{key} to focus button {index}", seen=focused)

    def test_arrows_home_and_end_walk_the_grid_over_disabled_buttons_and_stop_at_its_edges(self):
        folder = ProgramFolder("keys-walk", calculators=WALK_PROGRAMS)
        self.start_menu(folder)
        harness.probe("focus", 1, program_button(0))
        # (key, where the focus lands; None: it stays)
        steps = [("Right", 2), ("Right", 5), ("Right", None), ("Left", 2), ("Down", 26), ("End", 70), ("Home", 0),
                 ("Left", None), ("Up", None)]
        at = 0
        for number, (key, index) in enumerate(steps):
            with self.subTest(step=number, key=key, at=at):
                if index is None:
                    xdotool("key", key)
                    stays(lambda: focused() == (1, program_button(at)), duration=0.5,
                          what=f"the focus on {at} after {key}", seen=focused)
                else:
                    self.key_moves_focus_to(key, index)
                    at = index
        self.assertEqual(folder.starts(), [], "moving the focus started nothing")

    def test_the_focused_button_shows_a_focus_rectangle(self):
        folder = ProgramFolder("keys-focus-rect", calculators=WALK_PROGRAMS)
        self.start_menu(folder)
        harness.probe("focus", 1, program_button(0))
        shots = harness.SCREENSHOT_DIR.parent / "keyboard"
        rect = button_rect(1, 2)
        plain = harness.settled_screenshot(shots / "button2-plain.png", rect)
        self.key_moves_focus_to("Right", 2)
        # The ring is drawn 4 pixels inside the edge: it differs, the middle
        # of the button (the picture) does not.
        wait_until(lambda: differing_pixels(plain, harness.screenshot(shots / "button2-focused.png", rect)) > 100,
                   what="the focus rectangle on button 2",
                   seen=lambda: f"{differing_pixels(plain, shots / 'button2-focused.png')} pixels differ")
        focused_shot = shots / "button2-focused.png"
        self.assertEqual(differing_pixels(plain, focused_shot, inset=6), 0, "the picture itself changed")
        self.key_moves_focus_to("Left", 0)
        wait_until(lambda: differing_pixels(plain, harness.screenshot(shots / "button2-left.png", rect)) == 0,
                   what="the rectangle to go with the focus",
                   seen=lambda: f"{differing_pixels(plain, shots / 'button2-left.png')} pixels differ")

    def test_tab_passes_the_grid_as_one_stop_and_comes_back_to_the_same_button(self):
        folder = ProgramFolder("keys-tab", calculators=WALK_PROGRAMS)
        self.start_menu(folder)
        harness.probe("focus", 1, program_button(0))
        self.key_moves_focus_to("Right", 2)
        self.key_moves_focus_to("Down", 26)

        seen = []
        for _ in range(12):  # more than there are stops on the page
            before = focused()
            xdotool("key", "Tab")
            wait_until(lambda: focused() not in (None, before), what="Tab to move the focus", seen=focused)
            seen.append(focused()[1])
        grid = [ident for ident in seen if program_button(0) <= ident <= program_button(71)]
        self.assertTrue(grid, f"Tab never came back to the grid: {seen}")
        self.assertEqual(set(grid), {program_button(26)}, f"the grid is one stop, at the button left: {seen}")
        self.assertGreater(len(set(seen)), 2, f"Tab went round the header controls: {seen}")

        # Shift+Tab from the control after the grid goes back to it.
        after_grid = seen[(seen.index(program_button(26)) + 1) % len(seen)]
        harness.probe("focus", 1, after_grid)
        self.key_moves_focus_to("shift+Tab", 26)

    def test_enter_and_space_start_the_focused_button_as_a_click_does(self):
        # 12 and 13 hand their index over (Tkan): the start is the click's own.
        harness.reg_delete(HANDOFF_KEY)
        folder = ProgramFolder("keys-start", calculators=[0, 12, 13])
        self.start_menu(folder)
        harness.probe("focus", 1, program_button(0))
        self.key_moves_focus_to("Down", 12)
        xdotool("key", "Return")
        start = self.wait_starts(folder, 1)[0]
        self.assertEqual((start["number"], start["Tkan"]), (12, "12"), start)

        harness.probe("focus", 1, program_button(12))  # the calculator may have taken the foreground
        self.key_moves_focus_to("Right", 13)
        xdotool("key", "space")
        start = self.wait_starts(folder, 2)[1]
        self.assertEqual((start["number"], start["Tkan"]), (13, "13"), start)
        stays(lambda: len(folder.starts()) == 2, duration=0.5, what="one start per key", seen=folder.starts)


if __name__ == "__main__":
    import unittest
    unittest.main()
