"""doctor's findings over real sockets, and search --all, each produced in a
lab as a user would meet it."""

import subprocess
import sys
import unittest

from netcase import LabCase, device

# Answers every search on its link as a device answers another requester:
# the requester id of the search with its bytes flipped.
OTHER_REQUESTER_PEER = r"""
import socket, struct, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("0.0.0.0", 13579))
s.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP, socket.inet_aton("224.0.0.1") + socket.inet_aton(sys.argv[1]))
print("ready", flush=True)
while True:
    data, sender = s.recvfrom(4096)
    if len(data) == 11 and data[0] == 1:
        name = b"elsewhere"
        reply = (bytes([2]) + bytes(b ^ 0xFF for b in data[1:11]) + b"\x02\0\0\0\0\0" + socket.inet_aton(sys.argv[1])
                 + b"0\0\0" + b"255.255.252.0".ljust(16, b"\0") + b"0.0.0.0".ljust(16, b"\0")
                 + struct.pack("<I", len(name)) + name)
        s.sendto(reply, (sender[0], 13579))
"""

# Holds port 13579, letting others share it when argv[1] is "share".
PORT_HOLDER = r"""
import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, int(sys.argv[1:] == ["share"]))
s.bind(("0.0.0.0", 13579))
print("ready", flush=True)
time.sleep(120)
"""


def codes(report):
    return [f["code"] for f in report["findings"]]


class Helper:
    """A Python program in one of the lab's namespaces, stopped at the end."""

    def __init__(self, lab, ns, script, *args):
        self.proc = subprocess.Popen(["ip", "netns", "exec", ns, sys.executable, "-c", script, *args],
                                     stdout=subprocess.PIPE, text=True)
        if self.proc.stdout.readline().strip() != "ready":
            self.stop()
            raise RuntimeError("the helper program did not start")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()

    def stop(self):
        self.proc.kill()
        self.proc.wait()
        self.proc.stdout.close()


class Links(LabCase):
    """Link 0: a device in the subnet, one outside it and a slow one, read only
    after links 1 and 2 were searched; a device on links 0 and 1; link 2 has
    no device."""

    LINKS = 3

    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        both = {"name": "both", "ip": lab.dev_ip(0, 9), "netmask": lab.netmask(), "identity": "02000000bbbb"}
        far = {"name": "far", "ip": "10.99.0.5", "netmask": "255.255.255.0", "multicast": True}
        slow = device(lab, "slow", 0, 1, delay_ms=2000)
        lab.start_sim([device(lab, "near", 0, 0), far, both, slow], link=0)
        lab.start_sim([both], link=1)
        cls.result = cls.cli("doctor", "--json")
        cls.report = cls.result.json()

    def test_each_interface_in_engine_order_with_its_netmask_steps_and_traffic(self):
        self.assertEqual(0, self.result.code, self.result)
        interfaces = self.report["interfaces"]
        self.assertEqual([self.lab.pc_ip(k) for k in range(3)], [i["address"] for i in interfaces])
        self.assertEqual(["lsk0", "lsk1", "lsk2"], [i["name"] for i in interfaces])
        for i in interfaces:
            self.assertEqual("255.255.252.0", i["netmask"])
            self.assertTrue(all(error is None for error in i["steps"].values()), i)
        self.assertEqual(6, interfaces[0]["received"]["own_replies"], "three devices, two requests")
        self.assertEqual({"near", "far", "both"}, {d["name"] for d in interfaces[0]["listed"]})
        self.assertEqual(["slow"], [d["name"] for d in interfaces[0]["unread"]])
        self.assertEqual(2, interfaces[1]["received"]["own_replies"])
        self.assertEqual([], interfaces[1]["listed"])
        self.assertEqual(0, sum(interfaces[2]["received"].values()))
        self.assertEqual(4, self.report["devices_found"])

    def test_findings_name_the_device_on_two_links_the_one_outside_the_slow_one_and_the_silent_link(self):
        self.assertEqual(["interface_hears_nothing", "several_interfaces", "outside_subnet", "answered_late"],
                         codes(self.report))
        silent, two, outside, late = self.report["findings"]
        self.assertEqual(f"interfaces {self.lab.pc_ip(0)} (lsk0), {self.lab.pc_ip(1)} (lsk1) hear devices, "
                         f"interface {self.lab.pc_ip(2)} (lsk2) hears nothing", silent["text"])
        self.assertIn(f"the program uses {self.lab.pc_ip(0)} (lsk0)", two["text"])
        self.assertIn("lsk1", two["text"])
        self.assertIn("far (10.99.0.5)", outside["text"])
        # Link 0 read 6 datagrams: the slow device answered late, not beyond the 32 reads.
        self.assertEqual(f"1 device answered on interface {self.lab.pc_ip(0)} (lsk0) only after the search had "
                         f"stopped reading there: slow ({self.lab.dev_ip(0, 1)})", late["text"])

    def test_text_report_says_the_same(self):
        text = self.cli("doctor")
        self.assertEqual(0, text.code, text)
        self.assertIn(f"Interface 2: {self.lab.pc_ip(2)} (lsk2), netmask 255.255.252.0", text.out)
        self.assertIn("bind port 13579 ok", text.out)
        self.assertIn("3. far (10.99.0.5) lies outside", text.out)


class OtherRequester(LabCase):
    """Nothing on the link at first; then a peer that answers another requester only."""

    def test_silence_then_replies_to_another_requester(self):
        silent = self.cli("doctor", "--json")
        self.assertEqual(1, silent.code, silent)
        self.assertEqual(["nothing_arrived"], codes(silent.json()))

        peer_ip = self.lab.dev_ip(0, 0)
        self.lab.run_ns(self.lab.lan_ns(0), ["ip", "addr", "add", f"{peer_ip}/22", "dev", "dev0"], check=True)
        with Helper(self.lab, self.lab.lan_ns(0), OTHER_REQUESTER_PEER, peer_ip):
            result = self.cli("doctor", "--json")
        self.assertEqual(1, result.code, result)
        report = result.json()
        self.assertEqual(["other_requester", "no_device"], codes(report))
        self.assertIn("none to this program", report["findings"][0]["text"])
        self.assertEqual("no device was found; what arrived: 2 replies to another requester",
                         report["findings"][1]["text"])
        self.assertEqual(2, report["interfaces"][0]["received"]["other_requester"])


class PortHeld(LabCase):
    @classmethod
    def lab_setup(cls):
        cls.lab.start_sim([device(cls.lab, "nas", 0, 0)])

    def test_a_program_holding_the_port_is_named(self):
        with Helper(self.lab, self.lab.pc_ns, PORT_HOLDER) as holder:
            result = self.cli("doctor", "--json")
            silent = [self.cli(*args) for args in (["search"], ["shares", "nas"], ["watch"])]
        for said in silent:
            self.assertEqual(1, said.code, said)
            self.assertEqual("lumaseek-cli: port 13579 could not be bound on interface 198.18.0.1 (lsk0), "
                             "so no reply can arrive; lumaseek-cli doctor says why\n",
                             said.err)
        self.assertEqual(1, result.code, result)
        report = result.json()
        self.assertEqual("Address already in use", report["interfaces"][0]["steps"]["bind"])
        self.assertEqual(["port_in_use", "no_device"], codes(report), "the failed bind explains the silence")
        self.assertIn(f"(process {holder.proc.pid})", report["findings"][0]["text"])

    def test_a_program_sharing_the_port_is_named_beside_the_found_device(self):
        with Helper(self.lab, self.lab.pc_ns, PORT_HOLDER, "share") as sharer:
            result = self.cli("doctor", "--json")
        self.assertEqual(0, result.code, result)
        report = result.json()
        self.assertEqual([{"pid": sharer.proc.pid, "program": "python3"}], report["port_sharers"])
        self.assertEqual(["port_shared"], codes(report))
        self.assertIn(f"another program shares port 13579: python3 (process {sharer.proc.pid}); another finder",
                      report["findings"][0]["text"])
        self.assertEqual([], self.cli("doctor", "--json").json()["port_sharers"], "its own sockets are not listed")


class Hundred(LabCase):
    @classmethod
    def lab_setup(cls):
        cls.lab.start_sim([device(cls.lab, f"nas{n:03d}", 0, n) for n in range(100)])

    def test_doctor_names_the_devices_one_search_does_not_read(self):
        result = self.cli("doctor", "--json")
        self.assertEqual(0, result.code, result)
        report = result.json()
        lsk0 = report["interfaces"][0]
        self.assertEqual(32, len(lsk0["listed"]))
        self.assertEqual(68, len(lsk0["unread"]))
        self.assertEqual(100, len({d["name"] for d in lsk0["listed"] + lsk0["unread"]}))
        unread = [f for f in report["findings"] if f["code"] == "unread_devices"]
        self.assertEqual(1, len(unread), report["findings"])
        self.assertTrue(unread[0]["text"].startswith(
            f"68 more devices answered on interface {self.lab.pc_ip(0)} (lsk0) than one search reads"))
        self.assertIn(lsk0["unread"][0]["name"], unread[0]["text"])

    def test_search_all_lists_every_device(self):
        plain = self.cli("search", "--json")
        self.assertEqual(32, len(plain.json()))
        everything = self.cli("search", "--all", "--json")
        self.assertEqual(0, everything.code, everything)
        self.assertEqual({f"nas{n:03d}" for n in range(100)}, {d["name"] for d in everything.json()})

    def test_bad_usage(self):
        for args in (["doctor", "x"], ["shares", "nas000", "--all"], ["doctor", "--user", "u"]):
            self.assertEqual(2, self.cli(*args).code, args)


if __name__ == "__main__":
    unittest.main()
