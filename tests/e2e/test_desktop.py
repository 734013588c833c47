"""The desktop shortcut "Orvanto.lnk": made by one start, removed by the next."""

import subprocess

import harness
from harness import MenuTestCase, ProgramFolder


def shortcut_targets(path):
    """The target paths lnkinfo reads from a shortcut file."""
    result = subprocess.run(["lnkinfo", str(path)], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, timeout=30)
    text = result.stdout.decode("utf-8", "replace")
    targets = [line.split(":", 1)[1].strip() for line in text.splitlines()
               if line.strip().startswith(("Local path", "Relative path"))]
    return targets, text


class DesktopShortcutTest(MenuTestCase):
    def test_each_start_flips_the_shortcut(self):
        shortcut = harness.desktop() / "Orvanto.lnk"
        other = harness.desktop() / "Orvanto - renamed.lnk"
        for path in (shortcut, other):
            if path.exists():
                path.unlink()
        other.write_bytes(b"a shortcut the user renamed")
        self.addCleanup(lambda: [p.unlink() for p in (shortcut, other) if p.exists()])

        folder = ProgramFolder("desktop-shortcut")
        first = self.start_menu(folder)
        harness.wait_until(shortcut.exists, timeout=5, what=f"{shortcut} to exist")
        targets, text = shortcut_targets(shortcut)
        self.assertIn(f"{folder.windows}\\Orvanto.exe", targets, text)
        first.stop()

        second = self.start_menu(folder)
        self.assertFalse(shortcut.exists(), "the second start left the shortcut in place")
        self.assertEqual(other.read_bytes(), b"a shortcut the user renamed")
        second.stop()


if __name__ == "__main__":
    import unittest
    unittest.main()
