"""The command line searches every interface of the PC at once, past the
window's eight, and no stream of junk stretches the reading after its search.
doctor still searches as the window does and names what the window misses."""

import unittest

from netcase import OP_SEARCH, LabCase, device

SEARCH_SCHEDULE = 1.04  # one interface's search at most, in the window's schedule


class SixLinks(LabCase):
    LINKS = 6

    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        cls.sims = {k: lab.start_sim([device(lab, f"nas-{k}", k, 0), device(lab, f"nas-{k}b", k, 1, multicast=True)],
                                     link=k) for k in (0, 2, 5)}
        cls.search = cls.cli("search", "--json")

    def test_every_device_is_listed_once_with_its_interface_in_the_time_of_one(self):
        self.assertEqual(0, self.search.code, self.search)
        listed = [(d["name"], d["interface"]) for d in self.search.json()]
        expected = [(f"nas-{k}{b}", self.lab.pc_ip(k)) for k in (0, 2, 5) for b in ("", "b")]
        self.assertEqual(sorted(expected), sorted(listed))
        # The window takes six schedules here; process start-up and sanitized builds included.
        self.assertLess(self.search.seconds / SEARCH_SCHEDULE, 1.6, self.search)
        for k, sim in self.sims.items():
            requests = [e for e in sim.log() if e.direction == "RX" and e.opcode == OP_SEARCH]
            self.assertEqual([self.lab.pc_ip(k)] * 2, [e.src for e in requests])


class TenLinks(LabCase):
    """The 9th and 10th addresses lie past the window's table of eight."""

    LINKS = 10

    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        lab.start_sim([device(lab, "near", 0, 0)], link=0)
        lab.start_sim([device(lab, "ninth", 8, 0, shares=["media"])], link=8)
        lab.start_sim([device(lab, "tenth", 9, 0, shares=["backup", "photos"])], link=9)

    def test_devices_past_the_eighth_interface_are_listed_and_reachable(self):
        search = self.cli("search", "--json")
        self.assertEqual(0, search.code, search)
        self.assertEqual({"near": self.lab.pc_ip(0), "ninth": self.lab.pc_ip(8), "tenth": self.lab.pc_ip(9)},
                         {d["name"]: d["interface"] for d in search.json()})
        shares = self.cli("shares", "tenth")
        self.assertEqual((0, "backup\nphotos\n"), (shares.code, shares.out), shares)
        self.assertIn("most 64)", self.cli("--help").out)

    def test_doctor_searches_as_the_window_and_names_the_addresses_it_never_searches(self):
        report = self.cli("doctor", "--json")
        self.assertEqual(0, report.code, report)
        found = report.json()
        self.assertEqual([self.lab.pc_ip(k) for k in range(8)], [i["address"] for i in found["interfaces"]])
        unsearched = [f for f in found["findings"] if f["code"] == "unsearched_addresses"]
        self.assertEqual(1, len(unsearched), found["findings"])
        self.assertIn(f"never {self.lab.pc_ip(8)}, {self.lab.pc_ip(9)}", unsearched[0]["text"])
        self.assertIn("lumaseek-cli searches every interface", unsearched[0]["advice"])
        text = self.cli("doctor")
        self.assertTrue(text.out.startswith("Searched as the window searches: its first 8 interfaces at most, "
                                            "one after another."), text.out)


class JunkDuringTheLateReading(LabCase):
    """A host streams 8-byte datagrams to the PC's port every 2 ms: the
    reading after the search ends once no reply comes, whatever else does."""

    LINKS = 2

    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        cls.sim = lab.start_sim([device(lab, "nas-j", 0, 0), device(lab, "mute-j", 0, 1, drop=["login"])])
        lab.start_sim([device(lab, "nas-k", 1, 0)], link=1)

    def test_commands_stay_within_twice_their_quiet_time(self):
        commands = (["search", "--all"], ["login", self.lab.dev_ip(0, 1)])
        quiet = {tuple(c): self.cli(*c) for c in commands}
        flood = self.lab.flood(0, bytes([0x63]) + bytes(7), every=0.002, seconds=30)
        self.addCleanup(flood.stop)
        flood.start()
        for command in commands:
            streamed = self.cli(*command)
            calm = quiet[tuple(command)]
            self.assertEqual((calm.code, calm.out), (streamed.code, streamed.out), streamed)
            self.assertLess(streamed.seconds / calm.seconds, 2.0, (calm, streamed))
        self.assertTrue(flood.running(), "the stream ended before the commands did")
        self.assertEqual(0, quiet[("search", "--all")].code)
        self.assertEqual({"nas-j", "mute-j", "nas-k"}, {line.split()[0] for line in quiet[("search", "--all")].out.splitlines()[1:]})


if __name__ == "__main__":
    unittest.main()
