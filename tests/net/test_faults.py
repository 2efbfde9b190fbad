"""Faulty devices: every exchange still ends within its bound and takes only
what is its own."""

import signal
import subprocess
import time
import unittest

from lab import binary
from netcase import OP_CONFIG, LabCase, device

SEARCH_BOUND = 1.04 + 0.6        # one interface, with process start-up
LOGIN_BOUND = 1.1 + 0.6
CONFIG_BOUND = 10.1 + 1.5


class Faults(LabCase):
    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        # The search reads 32 datagrams per interface at most: the faults are
        # sized so that all replies to its two requests fit.
        cls.sim = lab.start_sim([
            device(lab, "slow", 0, 0, delay_ms=300),
            device(lab, "silent-login", 0, 1, drop=["login"]),
            device(lab, "twice", 0, 2, duplicate=2),
            device(lab, "noisy", 0, 3, junk=4, foreign=2),
            device(lab, "never", 0, 4, never_confirm=True),
            device(lab, "wrong-first", 0, 5, confirm_wrong_address=True),
            device(lab, "silent-shares", 0, 6, drop=["shares"]),
        ])
        cls.search = cls.cli("search", "--json")

    def test_search_takes_delayed_duplicated_and_noisy_devices_once_and_nothing_else(self):
        self.assertEqual(0, self.search.code, self.search)
        names = [d["name"] for d in self.search.json()]
        self.assertEqual(len(names), len(set(names)))
        self.assertEqual({"slow", "silent-login", "twice", "noisy", "never", "wrong-first", "silent-shares"},
                         set(names))
        self.assertLess(self.search.seconds, SEARCH_BOUND, self.search)

    def test_unanswered_login_ends_by_its_time_out(self):
        result = self.cli("login", "silent-login")
        self.assertEqual(1, result.code, result)
        self.assertLess(result.seconds, SEARCH_BOUND + LOGIN_BOUND, result)
        self.assertGreater(result.seconds, 0.72 + 1.0, result)

    def test_delayed_and_noisy_devices_still_log_in(self):
        for name in ("slow", "noisy"):
            result = self.cli("login", name)
            self.assertEqual(0, result.code, (name, result))
            self.assertLess(result.seconds, SEARCH_BOUND + LOGIN_BOUND, result)

    def test_unanswered_share_query_ends_by_its_time_out(self):
        result = self.cli("shares", "silent-shares")
        self.assertEqual(1, result.code, result)
        self.assertLess(result.seconds, SEARCH_BOUND + 2.3 + 0.5, result)

    def test_unconfirmed_change_ends_by_its_time_out(self):
        result = self.cli("set-dhcp", "never")
        self.assertEqual(1, result.code, result)
        self.assertIn("did not confirm", result.err)
        self.assertLess(result.seconds, 2 * SEARCH_BOUND + LOGIN_BOUND + CONFIG_BOUND, result)

    def test_interrupted_unconfirmed_change_says_so_and_exits_130(self):
        before = self.config_requests()
        cli = self.lab.popen_pc([binary("lumaseek-cli"), "set-dhcp", "never"], stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        try:
            deadline = time.monotonic() + 2 * SEARCH_BOUND + LOGIN_BOUND
            while self.config_requests() == before and time.monotonic() < deadline:
                time.sleep(0.01)
            cli.send_signal(signal.SIGINT)
            interrupted = time.monotonic()
            out, err = cli.communicate(timeout=5)
        finally:
            cli.kill()
        self.assertLess(time.monotonic() - interrupted, 0.5, "ends within a poll or so")
        self.assertEqual(130, cli.returncode, err)
        self.assertIn("lumaseek-cli: interrupted while waiting for the device to confirm; "
                      "its request had already been sent", err)

    def config_requests(self):
        return sum(1 for e in self.sim.log() if e.direction == "RX" and e.opcode == OP_CONFIG)

    def test_confirmation_from_the_wrong_address_is_passed_over(self):
        new_ip = self.lab.dev_ip(0, 60)
        result = self.cli("set-static", "wrong-first", new_ip, "255.255.252.0", self.lab.pc_ip(0))
        self.assertEqual(0, result.code, result)
        self.assertEqual(new_ip, result.out.splitlines()[1].split()[1])


if __name__ == "__main__":
    unittest.main()
