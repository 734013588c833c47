"""Working folders: made at start, two of them removed when a page window is
closed, all kept by the exit button; a link inside is removed as a link."""

import os
import shutil

import harness
from harness import EXIT_BUTTON, NEXT_BUTTON, MenuTestCase, ProgramFolder, click, stays, wait_until


def work_folders():
    return {
        "ZOV_Temp": harness.temp_folder() / "ZOV_Temp",
        "vurov": harness.drive_c() / "vurov",
        "Zaviz": harness.drive_c() / "Zaviz",
    }


def existing():
    return sorted(name for name, path in work_folders().items() if path.is_dir())


def remove_work_folders():
    for path in work_folders().values():
        if path.is_symlink() or path.is_file():
            path.unlink()
        elif path.is_dir():
            shutil.rmtree(path)


class WorkFoldersTest(MenuTestCase):
    def setUp(self):
        super().setUp()
        remove_work_folders()
        self.addCleanup(remove_work_folders)

    def test_closing_a_page_removes_the_temporary_and_the_fixed_folder(self):
        folder = ProgramFolder("folders-close")
        menu = self.start_menu(folder)
        self.assertEqual(existing(), ["ZOV_Temp", "Zaviz", "vurov"])
        (work_folders()["vurov"] / "kept.txt").write_text("work file\n")

        harness.probe("close", 1)
        menu.wait_exit()
        self.assertEqual(existing(), ["Zaviz"])
        self.assertEqual(harness.pages(), {}, "a page window outlived the close")

    def test_closing_page_two_ends_everything_too(self):
        folder = ProgramFolder("folders-close-two")
        menu = self.start_menu(folder)
        click(1, harness.NEXT_BUTTON)
        menu.wait_visible([1, 2])
        harness.probe("close", 2)
        menu.wait_exit()
        self.assertEqual(existing(), ["Zaviz"])

    def test_the_end_of_the_session_closes_the_menu_like_a_window_close(self):
        folder = ProgramFolder("folders-session")
        menu = self.start_menu(folder)
        click(1, NEXT_BUTTON)
        menu.wait_visible([1, 2])
        # A session end that another program called off: the menu goes on.
        self.assertEqual(harness.probe("endsession", 2, "cancel"), [{"query": "1"}])
        stays(menu.running, what="the menu running after a called-off session end")
        self.assertEqual(existing(), ["ZOV_Temp", "Zaviz", "vurov"])

        self.assertEqual(harness.probe("endsession", 1), [{"query": "1"}], "the session may end")
        self.assertEqual(menu.wait_exit(), 0)
        self.assertEqual(existing(), ["Zaviz"])
        self.assertEqual(harness.pages(), {})

    def test_exit_button_keeps_all_three(self):
        folder = ProgramFolder("folders-exit")
        menu = self.start_menu(folder)
        click(1, EXIT_BUTTON)
        menu.wait_exit()
        self.assertEqual(existing(), ["ZOV_Temp", "Zaviz", "vurov"])
        self.assertEqual(harness.pages(), {})

    def make_linked_fixed_folder(self):
        """C:\\vurov holding a Unix link (made from Linux) to a folder with files."""
        target = harness.home() / "e2e-link-target"
        if target.exists():
            shutil.rmtree(target)
        (target / "inner").mkdir(parents=True)
        (target / "data.txt").write_text("must survive\n")
        (target / "inner" / "more.txt").write_text("must survive too\n")
        self.addCleanup(shutil.rmtree, target, True)
        vurov = work_folders()["vurov"]
        vurov.mkdir()
        os.symlink(target, vurov / "link")
        return vurov, target

    def close_menu_over_link(self, name):
        vurov, target = self.make_linked_fixed_folder()
        menu = self.start_menu(ProgramFolder(name))
        harness.probe("close", 1)
        menu.wait_exit()
        return vurov, target

    def test_closing_never_follows_a_link_inside_the_fixed_folder(self):
        _, target = self.close_menu_over_link("folders-link-target")
        self.assertEqual(sorted(p.relative_to(target).as_posix() for p in target.rglob("*")),
                         ["data.txt", "inner", "inner/more.txt"])

    def test_closing_removes_a_link_inside_the_fixed_folder(self):
        if not wine_removes_unix_links():
            self.skipTest("this Wine cannot remove a Unix link to a folder through Win32 "
                          "(its own rmdir answers 'directory not empty')")
        vurov, target = self.close_menu_over_link("folders-link")
        wait_until(lambda: not os.path.lexists(vurov), timeout=2, what="C:\\vurov to be gone",
                   seen=lambda: sorted(p.name for p in vurov.iterdir()) if vurov.is_dir() else "gone")
        self.assertTrue((target / "data.txt").exists())


_link_removal = None


def wine_removes_unix_links():
    """Whether Wine can remove a Unix symbolic link to a non-empty folder
    through Win32 at all, measured with its own cmd rmdir. Wine 8 cannot:
    RemoveDirectoryW follows the link and finds the folder not empty."""
    global _link_removal
    if _link_removal is None:
        target = harness.home() / "e2e-link-check-target"
        link = harness.drive_c() / "e2e-link-check"
        target.mkdir(exist_ok=True)
        (target / "file.txt").write_text("x\n")
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(target, link)
        harness.run_wine(["cmd", "/c", "rmdir", harness.windows_path(link)], check=False)
        _link_removal = not os.path.lexists(link)
        if os.path.lexists(link):
            os.unlink(link)
        shutil.rmtree(target, ignore_errors=True)
    return _link_removal


if __name__ == "__main__":
    import unittest
    unittest.main()
