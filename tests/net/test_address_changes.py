"""Static and DHCP changes: the device moves, confirms from its new address,
and the following search finds it there."""

import unittest

from netcase import OP_CONFIG, OP_CONFIG_REPLY, LabCase, device


class AddressChanges(LabCase):
    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        cls.pool = lab.dev_ip(0, 200)
        cls.sim = lab.start_sim([
            device(lab, "mover", 0, 0),
            device(lab, "dhcp-nas", 0, 1),
            device(lab, "guarded", 0, 2, password="other"),
        ], dhcp_pool=[cls.pool])

    def config_requests(self):
        return [e for e in self.sim.log() if e.direction == "RX" and e.opcode == OP_CONFIG]

    def test_static_change_moves_the_device(self):
        new_ip = self.lab.dev_ip(0, 100)
        result = self.cli("set-static", "mover", new_ip, "255.255.252.0", self.lab.pc_ip(0))
        self.assertEqual(0, result.code, result)
        row = result.out.splitlines()[1].split()
        self.assertEqual(["mover", new_ip, "255.255.252.0", self.lab.pc_ip(0), "no"], row)
        confirm = [e for e in self.sim.log() if e.direction == "TX" and e.opcode == OP_CONFIG_REPLY]
        self.assertEqual(new_ip, confirm[-1].src)
        self.assertEqual(bytes(map(int, new_ip.split("."))), confirm[-1].data[17:21])
        found = self.by_name(self.cli("search", "--json").json())
        self.assertEqual(new_ip, found["mover"]["ip"])

    def test_dhcp_change_takes_an_address_from_the_pool(self):
        result = self.cli("set-dhcp", self.lab.dev_ip(0, 1))
        self.assertEqual(0, result.code, result)
        self.assertEqual(["dhcp-nas", self.pool], result.out.splitlines()[1].split()[:2])
        self.assertEqual("yes", result.out.splitlines()[1].split()[-1])
        request = [e.data for e in self.config_requests() if e.data[21] == 2][-1]
        self.assertEqual(60, len(request))

    def test_refused_login_sends_no_configuration(self):
        before = len(self.config_requests())
        result = self.cli("set-dhcp", "guarded")
        self.assertEqual(1, result.code, result)
        self.assertEqual(before, len(self.config_requests()))
        result = self.cli("set-dhcp", "guarded", "--password", "other")
        self.assertEqual(0, result.code, result)

    def test_addresses_are_checked_before_anything_is_sent(self):
        cases = [
            (("198.18.0.0", "255.255.252.0", "198.18.0.1"), "Invalid IP address in 4th digit. It should be 1-254."),
            (("198.18.0.50", "300.255.252.0", "198.18.0.1"),
             "Invalid subnet mask address in 1st digit. It should be 0-255."),
            (("198.18.0.50", "255.255.252.0", "198.18.0.255"),
             "Invalid gateway IP address in 4th digit. It should be 1-254."),
            (("198.18.0.50", "255.255.255.0", "198.18.1.1"), "Gateway address input error!"),
            (("198.18.0", "255.255.255.0", "198.18.0.1"), "not a dotted IP address"),
        ]
        before = len(self.sim.log())
        for addresses, message in cases:
            result = self.cli("set-static", "mover", *addresses)
            self.assertEqual(2, result.code, result)
            self.assertIn(message, result.err)
        self.assertEqual(before, len(self.sim.log()), "nothing reached the devices")


if __name__ == "__main__":
    unittest.main()
