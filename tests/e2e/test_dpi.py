"""The menu on a screen of 144 dots per inch (150 %): the whole page laid out
1.5 times as large as at 96 dpi, its pictures drawn at their 150 % scale,
and screenshots of pages 1 and 3 to look at."""

import subprocess

import harness
from harness import (FRAME1, LABEL3, NEXT_BUTTON, MenuTestCase, ProgramFolder, click, control_id, pages,
                     program_button)

DPI = 144
# Where Wine keeps the resolution: the user's and the display's. Programs
# started after the change see it.
DPI_KEYS = [r"HKCU\Control Panel\Desktop", r"HKCC\Software\Fonts"]


def ink_size(path, rect):
    """The width and height of what is drawn in a rectangle of a screenshot
    on its background (the colour of its corners), as ImageMagick trims it."""
    left, top, right, bottom = rect
    crop = f"{right - left}x{bottom - top}+{left}+{top}"
    result = subprocess.run(["convert", str(path), "-crop", crop, "+repage", "-trim", "-format", "%w %h", "info:"],
                            check=True, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
    width, height = result.stdout.decode().split()
    return int(width), int(height)


def at(dpi, twips):
    """Pixels of a length in twips, rounded to the nearest, halves up."""
    return (twips * dpi + 720) // 1440


class HighDpiTest(MenuTestCase):
    @classmethod
    def setUpClass(cls):
        saved = {key: harness.reg_dword(key, "LogPixels") for key in DPI_KEYS}
        for key, value in saved.items():
            cls.addClassCleanup(harness.set_reg_dword, key, "LogPixels", value)
        for key in DPI_KEYS:
            harness.set_reg_dword(key, "LogPixels", DPI)

    def assertNear(self, seen, expected, what):
        self.assertLessEqual(abs(seen - expected), 1, f"{what}: {seen} px, expected {expected} ± 1")

    def test_the_page_is_one_and_a_half_times_as_large_with_its_pictures(self):
        folder = ProgramFolder("dpi-144", calculators=range(0, 360, 3))
        menu = self.start_menu(folder)
        snapshot = pages()
        page = snapshot[1]
        width = int(page["right"]) - int(page["left"])
        height = int(page["bottom"]) - int(page["top"])
        # 788 x 561 at 96 dpi
        self.assertNear(width, round(788 * 1.5), "outer width")
        self.assertNear(height, round(561 * 1.5), "outer height")

        found = harness.controls(1)
        button = found[program_button(13)]
        self.assertNear(button["width"], round(64 * 1.5), "program button width")
        self.assertNear(button["height"], round(76 * 1.5), "program button height")
        self.assertNear(button["left"], at(DPI, 15 + 960), "program button 13's left in the frame")
        self.assertNear(button["top"], at(DPI, 105 + 1140), "program button 13's top in the frame")
        for ident, (left, top) in {NEXT_BUTTON: (681, 3), control_id(LABEL3): (460, 44),
                                   control_id(FRAME1): (6, 60)}.items():
            with self.subTest(control=ident):
                self.assertNear(found[ident]["left"], round(left * 1.5), f"control {ident} left")
                self.assertNear(found[ident]["top"], round(top * 1.5), f"control {ident} top")

        # Pages 1 and 3 as they look, for the eye and for the README.
        shots = {}
        for number in (1, 2, 3):
            info = pages()[number]
            rect = tuple(int(info[k]) for k in ("left", "top", "right", "bottom"))
            if number != 2:
                shots[number] = (harness.settled_screenshot(harness.SCREENSHOT_DIR / f"page{number}-144dpi.png", rect),
                                 rect)
            if number == 1:
                # The picture fills the larger button as the 100 % one fills
                # the button at 96 dpi: drawn at 150 %, not left at its size.
                x, y = harness.control_centre(1, program_button(0))
                half_width, half_height = button["width"] // 2 - 4, button["height"] // 2 - 4
                inside = (x - rect[0] - half_width, y - rect[1] - half_height, x - rect[0] + half_width,
                          y - rect[1] + half_height)
                ink = ink_size(shots[1][0], inside)
                self.assertGreater(ink[0], 0.8 * 2 * half_width, f"a picture of {ink} in a button {2 * half_width} "
                                   "pixels wide inside")
            if number < 3:
                click(number, NEXT_BUTTON)
                menu.wait_visible([1, number + 1])

        # A program button of page 3 starts its calculator as at 96 dpi.
        click(3, program_button(0))
        starts = self.wait_starts(folder, 1)
        self.assertEqual([s["number"] for s in starts], [144])
