"""Libraries planted in the program folder: the menu never loads them.

The program folder is a folder of other programs, copied from sticks and
installers; a library there named like a system one (uxtheme.dll, dwmapi.dll,
oleacc.dll) must not be loaded into the menu. Wine is told to prefer such a copy to its
own, as Windows would pick it up from the program folder; each planted copy
leaves a mark "<library>.<program>.loaded" when a program loads it."""

import shutil

import harness
from harness import EXIT_BUTTON, NEXT_BUTTON, SUPPORT_BUTTON, MenuTestCase, ProgramFolder, click

PLANTED = ("uxtheme.dll", "dwmapi.dll", "oleacc.dll")
# Wine's own overrides of the rig, and the planted libraries before Wine's own.
PREFER_PLANTED = {"WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d;uxtheme,dwmapi,oleacc=n,b"}
SUPPORT_TITLE = "サポート [遠隔操作]"


def plant(folder):
    for name in PLANTED:
        source = harness.PLANTED_DIR / name
        if not source.exists():
            raise harness.RigError(f"the planted library is not built: {source}")
        shutil.copy2(source, folder.path / name)


def menu_marks(folder):
    """The planted libraries the menu itself loaded (a calculator it starts
    from that folder may load them; that is not the menu's doing)."""
    return sorted(p.name for p in folder.path.glob("*.Vandrel.exe.loaded"))


class PlantedLibraryTest(MenuTestCase):
    def test_the_menu_loads_no_library_planted_in_its_folder(self):
        folder = ProgramFolder("planted-safe", calculators=[0, 72, 144, 216, 288])
        plant(folder)
        menu = self.start_menu(folder, env=PREFER_PLANTED)
        for page in range(1, 6):  # the whole ring, back to page 1
            click(page, NEXT_BUTTON)
            menu.wait_visible([1] if page == 5 else [1, page + 1])
        click(1, SUPPORT_BUTTON)
        self.assertIsNotNone(harness.message_box(SUPPORT_TITLE), f"no support box; windows: {harness.windows()}")
        harness.answer(SUPPORT_TITLE, "IDNO")
        click(1, harness.program_button(0))
        self.assertEqual(self.wait_starts(folder, 1)[0]["number"], 0)
        harness.probe("close", 1)
        self.assertEqual(menu.wait_exit(), 0, menu.wine_output())
        self.assertEqual(menu_marks(folder), [])

    def test_without_the_safe_search_the_planted_library_is_loaded(self):
        # The same start with a build whose search is left as Windows has it:
        # the mark shows that the test above can see a planted library load.
        folder = ProgramFolder("planted-unsafe", calculators=[0], menu_exe=harness.UNSAFE_SEARCH_EXE)
        plant(folder)
        self.start_menu(folder, wait_page=False, env=PREFER_PLANTED)
        marks = harness.wait_until(lambda: menu_marks(folder), timeout=15, what="a planted library to be loaded")
        self.assertIn("uxtheme.dll.Vandrel.exe.loaded", marks)
        harness.wait_until(lambda: "oleacc.dll.Vandrel.exe.loaded" in menu_marks(folder), timeout=15,
                           what="the planted oleacc.dll to be loaded", seen=lambda: menu_marks(folder))


if __name__ == "__main__":
    import unittest
    unittest.main()
