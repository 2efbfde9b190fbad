"""A PC whose one network device holds two addresses: each receive socket
hears exactly the unicast replies to its own address and the group on its
device, as on Windows. An interface that is up without carrier is not used."""

import json
import subprocess
import time

from lab import binary
from netcase import OP_SEARCH, LabCase, device

SECOND = "198.18.0.2"        # the PC's second address on link 0
IDLE = "198.18.200.1"        # an interface that is up but has no carrier


class TwoAddressesOnOneDevice(LabCase):

    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        lab.run_pc(["ip", "addr", "add", f"{SECOND}/22", "dev", "lsk0"], check=True)
        lab.run_pc(["ip", "link", "add", "lskidle", "type", "veth", "peer", "name", "lskpeer"], check=True)
        lab.run_pc(["ip", "addr", "add", f"{IDLE}/24", "dev", "lskidle"], check=True)
        lab.run_pc(["ip", "link", "set", "lskidle", "up"], check=True)
        cls.sim = lab.start_sim([
            device(lab, "prompt", 0, 0),
            device(lab, "group", 0, 1, multicast=True),
            # Its answers to the first address arrive while the second is
            # searched; its answers to the second, after the search.
            device(lab, "late", 0, 2, delay_ms=1500),
        ])
        # A device that comes up after the first address was searched hears
        # only the second address's requests: doctor searches as the window
        # does, one address after the other (search takes them all at once).
        search = lab.popen_pc([binary("lumaseek-cli"), "doctor", "--json"],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        start = time.monotonic()
        while (len([e for e in cls.sim.log() if e.direction == "RX" and e.opcode == OP_SEARCH]) < 2
               and time.monotonic() - start < 1):
            time.sleep(0.005)
        lab.start_sim([device(lab, "newcomer", 0, 3)])
        cls.newcomer_ready = time.monotonic() - start
        out, cls.err = search.communicate(timeout=60)
        cls.seconds = time.monotonic() - start
        cls.found = ({d["name"]: d for i in json.loads(out)["interfaces"] for d in i["listed"]}
                     if search.returncode == 0 else {})

    def test_each_socket_hears_its_own_address_and_the_group(self):
        interfaces = {name: d["interface"] for name, d in self.found.items()}
        self.assertEqual({"prompt": self.lab.pc_ip(0), "group": self.lab.pc_ip(0),
                          "newcomer": SECOND}, interfaces, self.err)
        late = [e.dst for e in self.sim.log() if e.direction == "TX" and e.device == "late"]
        self.assertEqual(2, late.count(self.lab.pc_ip(0)), "the late device answered the first address")
        self.assertLess(self.newcomer_ready, 1.0, "the newcomer came up too late for the second address")

    def test_interface_without_carrier_is_not_searched(self):
        # Two interfaces take 2 x 1.04 s and sleeps never end early; a third,
        # even one whose sends go nowhere, adds most of another 1.04 s.
        self.assertLess(self.seconds, 2.5 * 1.04)
        sources = {e.src for e in self.sim.log() if e.direction == "RX" and e.opcode == OP_SEARCH}
        self.assertEqual({self.lab.pc_ip(0), SECOND}, sources)
