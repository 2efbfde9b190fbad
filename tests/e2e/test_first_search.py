"""The main window appears only after the first search has run to its end."""

import os
import time
import unittest

import harness
import lab
from e2e_base import require_program
from resource_ids import ids

OP_SEARCH = 1
# one interface: 100 ms of pauses around the two sends, then 31 pauses of 20 ms
MIN_SEARCH_S = 0.72


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
class FirstSearch(unittest.TestCase):
    def test_window_appears_after_the_first_search_with_its_devices_listed(self):
        with harness.WineSession("first-search") as s:
            sim = s.lab.start_sim([{"name": "nas-first", "ip": s.lab.dev_ip(0, 0), "netmask": s.lab.netmask(),
                                    "gateway": s.lab.pc_ip(0), "shares": ["Public"]}])
            # the simulator's log counts seconds from its start, which lies before this
            sim_ready = time.monotonic()
            s.start_program()
            main, elapsed = s.wait_main_window()
            shown = time.monotonic()
            rows = s.driver.call("listview", s.driver.control(main, ids.IDC_DEVICE_LIST))["rows"]
            s.screenshot("first-sight")

            self.assertGreaterEqual(elapsed, MIN_SEARCH_S)
            self.assertEqual([r[:2] for r in rows], [["nas-first", s.lab.dev_ip(0, 0)]],
                             "the device is listed the moment the window shows")
            searches = [e for e in sim.log() if e.direction == "RX" and e.opcode == OP_SEARCH]
            self.assertGreaterEqual(len(searches), 2, "two search requests per interface")
            self.assertLess(sim_ready + searches[-1].time, shown, "the search ran before the window showed")


if __name__ == "__main__":
    unittest.main()
