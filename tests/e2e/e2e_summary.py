"""Runs test modules verbosely and closes with "N passed, N failed", the exit status
telling whether all passed."""
import sys
import unittest


def run(module_name):
    run_many([module_name])


def run_many(module_names):
    suite = unittest.defaultTestLoader.loadTestsFromNames(module_names)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    # A test with failing subtests counts once.
    failing = {getattr(test, "test_case", test).id() for test, _ in result.failures + result.errors}
    failed = len(failing) + len(result.unexpectedSuccesses)
    skipped = len(result.skipped)
    passed = result.testsRun - failed - skipped
    line = "%d passed, %d failed" % (passed, failed)
    if skipped:
        line += ", %d skipped" % skipped
    print(line, flush=True)
    sys.exit(0 if failed == 0 else 1)
