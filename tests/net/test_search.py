"""Searching a PC with two interfaces on two links, over real group and
unicast replies."""

import os
import pty
import re
import subprocess
import unittest

from lab import binary
from netcase import OP_SEARCH, LabCase, device


class TwoLinkSearch(LabCase):
    LINKS = 2

    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        # One device reachable over both links: the same address and identity on each.
        both = {"name": "both", "ip": lab.dev_ip(0, 9), "netmask": lab.netmask(), "identity": "02000000bbbb"}
        cls.sim0 = lab.start_sim([
            device(lab, "short-unicast", 0, 0),
            device(lab, "long-group", 0, 1, reply="long", match1=8, match2=1, multicast=True, dhcp=True),
            device(lab, "long-other-code", 0, 2, reply="long", match1=8, match2=2),
            both,
        ], link=0)
        cls.sim1 = lab.start_sim([device(lab, "short-group", 1, 0, multicast=True), both], link=1)
        cls.search = cls.cli("search", "--json")

    def test_both_interfaces_are_searched_and_each_device_listed_once(self):
        self.assertEqual(0, self.search.code, self.search)
        names = [d["name"] for d in self.search.json()]
        self.assertEqual(sorted(["short-unicast", "long-group", "both", "short-group"]), sorted(names))
        found = self.by_name(self.search.json())
        self.assertEqual(self.lab.pc_ip(0), found["short-unicast"]["interface"])
        self.assertEqual(self.lab.pc_ip(1), found["short-group"]["interface"])
        # Both links are searched at once: the first reply read decides.
        self.assertIn(found["both"]["interface"], {self.lab.pc_ip(0), self.lab.pc_ip(1)})
        self.assertEqual(self.lab.dev_ip(0, 9), found["both"]["ip"])
        for sim, pc in ((self.sim0, self.lab.pc_ip(0)), (self.sim1, self.lab.pc_ip(1))):
            searches = [e for e in sim.log() if e.direction == "RX" and e.opcode == OP_SEARCH]
            self.assertEqual(2, len(searches), "two sends per interface")
            self.assertTrue(all(e.src == pc and e.dst == "224.0.0.1" and len(e.data) == 11 for e in searches))
            replies = [e for e in sim.log() if e.direction == "TX" and e.device == "both"]
            self.assertEqual(2, len(replies))

    def test_long_replies_are_filtered_by_their_match_codes(self):
        names = [d["name"] for d in self.search.json()]
        self.assertIn("long-group", names)
        self.assertNotIn("long-other-code", names)
        sent = {e.device for e in self.sim0.log() if e.direction == "TX"}
        self.assertIn("long-other-code", sent, "the filtered device did answer")

    def test_records_carry_the_reported_settings(self):
        found = self.by_name(self.search.json())
        self.assertEqual({"name": "long-group", "ip": self.lab.dev_ip(0, 1), "netmask": "255.255.252.0",
                          "gateway": self.lab.pc_ip(0), "dhcp": True, "interface": self.lab.pc_ip(0)},
                         found["long-group"])
        self.assertFalse(found["short-unicast"]["dhcp"])
        group = [e for e in self.sim1.log() if e.direction == "TX" and e.device == "short-group"]
        self.assertTrue(group and all(e.dst == "224.0.0.1" for e in group))
        unicast = [e for e in self.sim0.log() if e.direction == "TX" and e.device == "short-unicast"]
        self.assertTrue(unicast and all(e.dst == self.lab.pc_ip(0) for e in unicast))
        self.assertTrue(all(e.src == self.lab.dev_ip(0, 0) for e in unicast))

    def test_table_lists_the_same_devices_in_aligned_columns(self):
        table = self.cli("search")
        self.assertEqual(0, table.code, table)
        lines = table.out.splitlines()
        self.assertEqual(["Name", "IP", "Netmask", "Gateway", "DHCP"], lines[0].split())
        self.assertEqual(5, len(lines))
        ip_column = lines[0].index("IP")
        for line in lines[1:]:
            self.assertRegex(line[ip_column:], r"^198\.18\.")
        self.assertTrue(any(line.split()[0] == "long-group" and line.split()[-1] == "yes" for line in lines))


class Crowd(LabCase):
    @classmethod
    def lab_setup(cls):
        cls.names = {f"nas{n:02d}" for n in range(40)}
        cls.lab.start_sim([device(cls.lab, f"nas{n:02d}", 0, n, shares=[f"share{n:02d}"]) for n in range(40)])

    def test_a_search_reads_at_most_32_datagrams_per_interface(self):
        result = self.cli("search", "--json")
        self.assertEqual(0, result.code, result)
        self.assertEqual(32, len(result.json()))
        # a whole process, sanitized builds included: generous, the benchmark measures the schedule
        self.assertLess(result.seconds, 1.04 + 2.0, result)

    def test_per_device_commands_reach_a_device_the_search_did_not_read(self):
        unread = sorted(self.names - {d["name"] for d in self.cli("search", "--json").json()})
        self.assertTrue(unread)
        result = self.cli("shares", unread[-1])
        self.assertEqual((0, f"share{unread[-1][3:]}\n"), (result.code, result.out), result)


class NoDevice(LabCase):
    def test_exit_codes_are_the_ones_help_gives(self):
        usage = self.cli("--help").out
        documented = dict(re.findall(r"^ +(\d+)  (.*)$", usage.split("Exit status:")[1], re.M))
        code = {meaning: int(n) for n, meaning in documented.items()}

        def documented_code(words):
            return [c for meaning, c in code.items() if words in meaning][0]

        table = self.cli("search")
        self.assertEqual(documented_code("no device answered"), table.code, table)
        self.assertEqual(1, table.code)
        self.assertEqual("lumaseek-cli: no device answered on 1 interface\n", table.err)
        listing = self.cli("search", "--json")
        self.assertEqual((documented_code("no device answered"), []), (listing.code, listing.json()))
        wrong = self.cli("search", "--all", "-x")
        self.assertEqual(documented_code("bad usage"), wrong.code)
        self.assertEqual("lumaseek-cli: unknown option '-x'\nTry 'lumaseek-cli --help'.\n", wrong.err)
        shell = self.cli("completion", "tcsh")
        self.assertEqual((documented_code("bad usage"), "lumaseek-cli: completion is for bash, zsh or fish\n"
                          "Try 'lumaseek-cli --help'.\n", ""), (shell.code, shell.err, shell.out))
        self.assertEqual(documented_code("done"), self.cli("search", "--help").code)

    def test_at_a_terminal_a_progress_line_shows_and_is_blanked_before_the_result(self):
        master, slave = pty.openpty()
        try:
            done = self.lab.run_pc([binary("lumaseek-cli"), "search"], timeout=90, stdin=subprocess.DEVNULL,
                                   capture_output=False, stdout=subprocess.PIPE, stderr=slave)
        finally:
            os.close(slave)
        with open(master, "rb") as terminal:
            shown = b""
            try:
                while chunk := terminal.read1(4096):
                    shown += chunk
            except OSError:  # the terminal's last writer has closed it
                pass
        shown = shown.decode()
        self.assertEqual(1, done.returncode)
        self.assertRegex(shown, r"^\rsearching\.\.\. \d+\.\d s")
        self.assertTrue(shown.endswith("\r" + " " * 60 + "\rlumaseek-cli: no device answered on 1 interface\r\n"),
                        repr(shown))

    def test_a_lost_write_is_an_error(self):
        for args in (["search", "--json"], ["--help"]):
            with open("/dev/full", "w") as full:
                result = self.lab.run_pc([binary("lumaseek-cli"), *args], stdout=full, stderr=subprocess.PIPE,
                                         capture_output=False, stdin=subprocess.DEVNULL)
            self.assertEqual(1, result.returncode, (args, result))
            self.assertIn("lumaseek-cli: the output could not be written: No space left on device", result.stderr)


if __name__ == "__main__":
    unittest.main()
