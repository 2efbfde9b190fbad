"""What every end-to-end test needs: skip cleanly when the Windows build or root is missing."""

import os
import time
import unittest

import harness

PROGRAM = harness.win_exe("lumaseek.exe")
TAB_TITLES = ["Search Device", "IP Settings", "Drive Mapping"]


def require_program(test):
    """Skips a test class when lumaseek.exe has not been built or namespaces cannot be made."""
    if not os.path.exists(PROGRAM):
        return unittest.skip(f"{PROGRAM} is missing: build the windows preset first")(test)
    if os.geteuid() != 0:
        return unittest.skip("the end-to-end tests need root for their network namespaces")(test)
    return test


def wait_for(predicate, timeout_s=30, step_s=0.2):
    """The predicate's first true value, or its last value once the time is up."""
    deadline = time.monotonic() + timeout_s
    while True:
        value = predicate()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(step_s)
