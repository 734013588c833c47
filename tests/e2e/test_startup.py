"""Start-up: page 1 appears, and a second copy ends without showing anything."""

import time

import harness
from harness import PAGE_TITLE, MenuTestCase, ProgramFolder, pages, stays


class StartupTest(MenuTestCase):
    def test_first_start_shows_page_one_only(self):
        folder = ProgramFolder("startup-first", calculators=[0])
        menu = self.start_menu(folder)
        snapshot = menu.wait_page(1)
        self.assertEqual(snapshot.visible(), [1], snapshot.describe())
        page = snapshot[1]
        self.assertEqual(page["title"], PAGE_TITLE)
        self.assertEqual(page["foreground"], "1", snapshot.describe())
        # 11820 x 8415 twips outside, frame included.
        self.assertEqual((int(page["right"]) - int(page["left"]), int(page["bottom"]) - int(page["top"])), (788, 561),
                         snapshot.describe())

    def test_second_start_ends_quietly_and_leaves_the_first_alone(self):
        folder = ProgramFolder("startup-second", calculators=[12])
        first = self.start_menu(folder)
        before = first.wait_page(1)
        shortcut = harness.desktop() / "Orvanto.lnk"
        shortcut_before = shortcut.exists()

        second = harness.Menu(folder)
        self.menus.append(second)
        second.start()
        # While the second copy lives, no further page window may appear.
        windows_seen = set()
        deadline = time.monotonic() + 10
        while second.running() and time.monotonic() < deadline:
            windows_seen.add(len(harness.probe("pages")))
        self.assertEqual(second.wait_exit(timeout=10), 0, second.wine_output())
        self.assertEqual(windows_seen - {1}, set(), "the second copy showed a window")

        after = pages()
        self.assertEqual(sorted(after), sorted(before), f"before: {before.describe()}; after: {after.describe()}")
        self.assertEqual(after.visible(), [1], after.describe())
        self.assertTrue(first.running())
        self.assertEqual(shortcut.exists(), shortcut_before, "the second copy touched the desktop shortcut")
        # The first copy still answers: a click still starts a calculator.
        harness.click(1, harness.program_button(12))
        starts = self.wait_starts(folder, 1)
        self.assertEqual(starts[0]["number"], 12)
        stays(lambda: first.running() and pages().visible() == [1], duration=0.3, what="the first copy running")


if __name__ == "__main__":
    import unittest
    unittest.main()
