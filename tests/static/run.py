#!/usr/bin/env python3
"""Runs the static checks (the executables read as files, the floors of the
includes, the house style) and ends with the line
    static: N passed, N failed
exiting non-zero when a check failed or none ran. Needs both cross builds
(build/win and build/win-x86, or $VANDREL_BUILD_DIR); runs no Windows code."""

import sys
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
HERE = Path(__file__).resolve().parent


def main():
    sys.path.insert(0, str(HERE))
    suite = unittest.TestLoader().discover(str(HERE), pattern="test_*.py", top_level_dir=str(HERE))
    result = unittest.TextTestRunner(stream=sys.stdout, verbosity=2).run(suite)
    failed = {test.id() for test, _ in result.failures + result.errors}
    passed = result.testsRun - len(failed) - len(result.skipped)
    print(f"static: {passed} passed, {len(failed)} failed", flush=True)
    return 0 if not failed and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
