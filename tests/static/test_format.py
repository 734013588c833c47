"""The C++ sources keep the house style of .clang-format."""

import shutil
import subprocess
import unittest
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]


def tracked_sources():
    listed = subprocess.run(["git", "-C", str(SOURCE_DIR), "ls-files", "*.cpp", "*.h"], check=True,
                            stdout=subprocess.PIPE, text=True).stdout.split()
    return [SOURCE_DIR / name for name in listed]


class FormatTest(unittest.TestCase):
    def test_sources_are_formatted(self):
        clang_format = shutil.which("clang-format")
        self.assertIsNotNone(clang_format, "clang-format is not installed (scripts/deps installs it)")
        files = tracked_sources()
        self.assertGreater(len(files), 50, "the sources were not found")
        # One run over all of them; each file that would change is named in
        # a line "<path>:<line>:<column>: error: code should be clang-formatted".
        result = subprocess.run([clang_format, "--dry-run", "--Werror", *map(str, files)], cwd=SOURCE_DIR,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        unformatted = sorted({line.split(":", 1)[0] for line in result.stderr.splitlines() if ": error:" in line})
        self.assertEqual(unformatted, [], "run clang-format -i on these")
        self.assertEqual(result.returncode, 0, result.stderr[-2000:])


if __name__ == "__main__":
    unittest.main()
