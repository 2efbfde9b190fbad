"""Starting the program: command-line arguments change nothing; copies run side by side."""

import time
import unittest

import harness
from e2e_base import TAB_TITLES, require_program
from resource_ids import ids



def wait_until(predicate, timeout_s=30):
    deadline = time.monotonic() + timeout_s
    while not predicate():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.2)
    return True


@require_program
class StartUp(unittest.TestCase):
    def test_arguments_are_ignored(self):
        with harness.WineSession("arguments") as s:
            s.start_program(args=["/s", "--help", "C:\\nothing.ini"])
            main, _ = s.wait_main_window()
            tabs = s.driver.call("tabs", s.driver.control(main, ids.IDC_PAGE_TAB))
            self.assertEqual((tabs["items"], tabs["selected"]), (TAB_TITLES, 0))

    def test_a_second_copy_runs_beside_the_first_and_outlives_it(self):
        with harness.WineSession("two-copies") as s:
            s.start_program()
            first, _ = s.wait_main_window()
            s.start_program()
            self.assertTrue(wait_until(lambda: len(s.main_windows()) == 2), "two main windows")
            self.assertEqual(s.program_count(), 2)
            s.screenshot("two-copies")

            s.driver.call("focus", s.driver.control(first, ids.IDC_PAGE_TAB))
            s.driver.call("keys", "ESCAPE")
            s.driver.call("gone", first["hwnd"], 5000)
            self.assertTrue(wait_until(lambda: s.program_count() == 1), "the first copy ends alone")
            self.assertEqual(len(s.main_windows()), 1)


if __name__ == "__main__":
    unittest.main()
