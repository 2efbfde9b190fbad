"""Hostile links: floods of junk, of other requesters' replies and of the
requester's own datagrams of every opcode during each exchange, replies
spoofing another requester's id, and a thousand devices answering one search.
Every exchange must still end within its bound and take nothing that is not
its own answer."""

import subprocess
import unittest

from lab import binary
from netcase import OP_QUERY, OP_SEARCH, LabCase, device

SEARCH_BOUND = 1.04 + 0.5         # one interface, with process start-up
LOGIN_BOUND = 1.1 + 0.3
SHARES_BOUND = 2.3 + 0.3
CONFIG_BOUND = 11.1 + 0.5
# Per request: 2 junk, 1 foreign, 3 rounds of the flood (7 datagrams for a
# search, 9 or 8 for the others), 2 spoofed copies, then the genuine reply:
# the search's first answer is still among the 32 datagrams it reads, and the
# per-device answers come within their counted polls.
HOSTILE = {"junk": 2, "foreign": 1, "flood": 3, "spoof": 2}


class HostileLink(LabCase):
    """One simulator per test, each device at its own address on link 0."""

    _next_address = 0

    def start(self, name, **keys):
        HostileLink._next_address += 1
        sim = self.lab.start_sim([device(self.lab, name, 0, HostileLink._next_address, **keys)])
        self.addCleanup(sim.stop)
        return sim

    def sent_by(self, sim, name):
        return [e for e in sim.log() if e.direction == "TX" and e.device == name]

    def test_search_lists_the_device_and_nothing_the_flood_says(self):
        sim = self.start("nas-h1", **HOSTILE)
        result = self.cli("search", "--json")
        self.assertEqual(0, result.code, result)
        self.assertEqual(["nas-h1"], [d["name"] for d in result.json()])
        self.assertLess(result.seconds, SEARCH_BOUND, result)
        # Two requests, each answered by 2 + 1 + 21 + 2 + 1 datagrams.
        self.assertEqual(2 * 27, len(self.sent_by(sim, "nas-h1")))

    def test_a_flood_past_the_search_limit_ends_it_in_time_with_nothing_false(self):
        sim = self.start("nas-h2", junk=20, flood=40, spoof=5)
        result = self.cli("search", "--json")
        self.assertIn(result.code, (0, 1), result)
        self.assertLess(result.seconds, SEARCH_BOUND, result)
        names = [d["name"] for d in result.json()] if result.code == 0 else []
        self.assertTrue(set(names) <= {"nas-h2"}, names)
        self.assertGreater(len(self.sent_by(sim, "nas-h2")), 2 * 32)

    # Spoofed copies say the opposite and the flood accepts from another address.
    def test_login_takes_the_devices_own_acceptance(self):
        self.start("nas-h3", **HOSTILE)
        accepted = self.cli("login", "nas-h3")
        self.assertEqual(0, accepted.code, accepted)
        self.assertLess(accepted.seconds, SEARCH_BOUND + LOGIN_BOUND, accepted)

    def test_login_takes_the_devices_own_refusal(self):
        self.start("refuser-h3", refuse_login=True, **HOSTILE)
        refused = self.cli("login", "refuser-h3")
        self.assertEqual(1, refused.code, refused)
        self.assertIn("refused", refused.err)
        self.assertLess(refused.seconds, SEARCH_BOUND + LOGIN_BOUND, refused)

    def test_share_list_holds_only_the_devices_shares(self):
        self.start("nas-h4", shares=["public", "media"], **HOSTILE)
        result = self.cli("shares", "nas-h4", "--json")
        self.assertEqual(0, result.code, result)
        self.assertEqual(["public", "media"], result.json())
        self.assertLess(result.seconds, SEARCH_BOUND + SHARES_BOUND, result)

    def test_unconfirmed_changes_end_in_time_whatever_the_flood_confirms(self):
        self.start("never-h5", never_confirm=True, **HOSTILE)
        for args in (["set-dhcp", "never-h5"],
                     ["set-static", "never-h5", self.lab.dev_ip(0, 520), self.lab.netmask(), self.lab.pc_ip(0)]):
            result = self.cli(*args)
            self.assertEqual(1, result.code, (args, result))
            self.assertIn("did not confirm", result.err)
            self.assertLess(result.seconds, 2 * SEARCH_BOUND + LOGIN_BOUND + CONFIG_BOUND, (args, result))

    def test_static_change_takes_the_confirmation_from_the_new_address(self):
        self.start("mover-h6", **HOSTILE)
        new_ip = self.lab.dev_ip(0, 521)
        moved = self.cli("set-static", "mover-h6", new_ip, self.lab.netmask(), self.lab.pc_ip(0))
        self.assertEqual(0, moved.code, moved)
        self.assertEqual(new_ip, moved.out.splitlines()[1].split()[1])
        self.assertLess(moved.seconds, 2 * SEARCH_BOUND + LOGIN_BOUND + CONFIG_BOUND, moved)


class ThousandDevices(LabCase):
    @classmethod
    def lab_setup(cls):
        cls.names = {f"nas{n:04d}" for n in range(1000)}
        cls.sim = cls.lab.start_sim([device(cls.lab, f"nas{n:04d}", 0, n) for n in range(1000)],
                                    ready_timeout=60)

    def test_one_search_considers_the_first_32_datagrams_only(self):
        result = self.cli("search", "--json")
        self.assertEqual(0, result.code, result)
        found = result.json()
        self.assertEqual(32, len(found))
        self.assertEqual(32, len({d["ip"] for d in found}))
        self.assertTrue({d["name"] for d in found} <= self.names)
        for d in found:
            n = int(d["name"][3:])
            self.assertEqual(self.lab.dev_ip(0, n), d["ip"])
        self.assertLess(result.seconds, SEARCH_BOUND, result)


if __name__ == "__main__":
    unittest.main()


class FloodFromAnotherHost(LabCase):
    """A second host on the link sends 8-byte datagrams of opcode 1 to the PC's
    port every 2 ms for 15 s while a login waits for a device that never
    answers: each 110 ms of them count as one poll, so the wait ends within
    about twice its 1.1 s schedule instead of lasting as long as the stream."""

    def test_login_without_answer_ends_in_time_under_a_flood(self):
        mute = self.lab.dev_ip(0, 0)
        sim = self.lab.start_sim([device(self.lab, "mute-f1", 0, 0, drop=["login"])])
        self.addCleanup(sim.stop)
        flood = self.lab.flood(0, bytes([OP_SEARCH]) + bytes(7), every=0.002, seconds=15)
        self.addCleanup(flood.stop)
        timer = self.lab.popen_pc([binary("lumaseek-exchange-timer"), "login", mute],
                                  stdout=subprocess.PIPE, text=True)
        flood.start_on(sim, OP_QUERY)
        out, _ = timer.communicate(timeout=60)
        self.assertTrue(flood.running(), "the flood ended before the login did")
        _, wall, _, result, listed, _ = out.split()
        self.assertEqual(("0", "1"), (result, listed), out)
        self.assertGreater(float(wall), 1.1, out)
        self.assertLess(float(wall), 2.5, out)
