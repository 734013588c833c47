#!/usr/bin/env python3
"""Runs the end-to-end tests and ends with the line
    e2e: N passed, N failed, N skipped
exiting non-zero when a test failed or none ran.

    python3 tests/e2e/run.py                    # every test_*.py here
    python3 tests/e2e/run.py test_pages         # a module, class or test by name

scripts/test runs it inside its Wine environment. Started on its own (no
VANDREL_WINE_READY in the environment) it sets up the rig's environment under
$VANDREL_WINE_ROOT (default: <build>/wine) first and stops it afterwards.
"""

import os
import subprocess
import sys
import time
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

HERE = Path(__file__).resolve().parent
SOURCE_DIR = HERE.parents[1]


class TimedResult(unittest.TextTestResult):
    """Prints each test once, with its outcome and duration, and counts tests
    (a test with a failing sub-test counts once, as failed)."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.outcomes = {}

    def startTest(self, test):
        self._started = time.monotonic()
        unittest.TestResult.startTest(self, test)

    def _mark(self, test, outcome):
        order = ["OK", "SKIPPED", "XFAIL", "FAILED", "ERROR"]
        previous = self.outcomes.get(test.id())
        if previous is None or order.index(outcome) > order.index(previous):
            self.outcomes[test.id()] = outcome

    def stopTest(self, test):
        unittest.TestResult.stopTest(self, test)
        outcome = self.outcomes.setdefault(test.id(), "OK")
        self.stream.writeln(f"[{outcome:^7}] {test.id()} ({time.monotonic() - self._started:.1f} s)")
        self.stream.flush()

    def addSuccess(self, test):
        unittest.TestResult.addSuccess(self, test)
        self._mark(test, "OK")

    def addFailure(self, test, err):
        unittest.TestResult.addFailure(self, test, err)
        self._mark(test, "FAILED")

    def addError(self, test, err):
        unittest.TestResult.addError(self, test, err)
        # setUpModule / setUpClass failures come with a placeholder test.
        self._mark(test, "ERROR")

    def addSubTest(self, test, subtest, err):
        unittest.TestResult.addSubTest(self, test, subtest, err)
        if err is not None:
            self._mark(test, "ERROR" if not issubclass(err[0], test.failureException) else "FAILED")

    def addSkip(self, test, reason):
        unittest.TestResult.addSkip(self, test, reason)
        self._mark(test, "SKIPPED")

    def addExpectedFailure(self, test, err):
        unittest.TestResult.addExpectedFailure(self, test, err)
        self._mark(test, "XFAIL")

    def addUnexpectedSuccess(self, test):
        unittest.TestResult.addUnexpectedSuccess(self, test)
        self._mark(test, "FAILED")

    def counts(self):
        values = list(self.outcomes.values())
        return (values.count("OK") + values.count("XFAIL"), values.count("FAILED") + values.count("ERROR"),
                values.count("SKIPPED"))


def run(names):
    sys.path.insert(0, str(HERE))
    loader = unittest.TestLoader()
    suite = loader.loadTestsFromNames(names) if names else loader.discover(str(HERE), pattern="test_*.py",
                                                                          top_level_dir=str(HERE))
    runner = unittest.TextTestRunner(stream=sys.stdout, verbosity=0, resultclass=TimedResult)
    result = runner.run(suite)
    passed, failed, skipped = result.counts()
    print(f"e2e: {passed} passed, {failed} failed, {skipped} skipped", flush=True)
    return 0 if failed == 0 and passed > 0 else 1


def main(argv):
    if os.environ.get("VANDREL_WINE_READY"):
        return run(argv)
    build = Path(os.environ.get("VANDREL_BUILD_DIR", SOURCE_DIR / "build"))
    root = os.environ.get("VANDREL_WINE_ROOT", str(build / "wine"))
    script = 'source "$1" && vandrel_wine_up "$2" && shift 2 && "$@"'
    return subprocess.call(["bash", "-c", script, "bash", str(SOURCE_DIR / "scripts" / "lib" / "wine-env.sh"), root,
                            sys.executable, str(Path(__file__).resolve()), *argv], stdin=subprocess.DEVNULL)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
