"""What every end-to-end test needs: skip cleanly when the Windows build or root is missing."""

import os
import unittest

import harness

PROGRAM = harness.win_exe("lumaseek.exe")
TAB_TITLES = ["Search Device", "IP Settings", "Drive Mapping"]
TAB_CONTROL = 1000


def require_program(test):
    """Skips a test class when lumaseek.exe has not been built or namespaces cannot be made."""
    if not os.path.exists(PROGRAM):
        return unittest.skip(f"{PROGRAM} is missing: build the windows preset first")(test)
    if os.geteuid() != 0:
        return unittest.skip("the end-to-end tests need root for their network namespaces")(test)
    return test
