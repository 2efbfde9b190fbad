"""Static and DHCP changes: the device moves, confirms from its new address,
and the following search finds it there."""

import unittest

from netcase import OP_CONFIG, OP_CONFIG_REPLY, OP_SEARCH, LabCase, device


class AddressChanges(LabCase):
    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        cls.pool = lab.dev_ip(0, 200)
        cls.sim = lab.start_sim([
            device(lab, "mover", 0, 0),
            device(lab, "dhcp-nas", 0, 1),
            device(lab, "guarded", 0, 2, password="other"),
            device(lab, "twin", 0, 3),
            device(lab, "twin-b", 0, 4, name_hex=b"twin".hex()),
            device(lab, "occupant", 0, 5),
            device(lab, "crowded", 0, 6),
            device(lab, "edge", 0, 7),
            device(lab, lab.dev_ip(0, 2), 0, 8),  # named by the address of "guarded"
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
            (("198.18.0.0", "255.255.252.0", "198.18.0.1"),
             "IP address 198.18.0.0 is the network address of its subnet 198.18.0.0/22"),
            (("198.18.0.50", "300.255.252.0", "198.18.0.1"), "not a dotted netmask (four numbers from 0 to 255)"),
            (("198.18.0.50", "255.255.252.0", "198.18.3.255"),
             "gateway 198.18.3.255 is the broadcast address of its subnet 198.18.0.0/22"),
            (("198.18.0.50", "255.255.252.0", "198.18.0.50"), "gateway 198.18.0.50 is the IP address itself"),
            (("198.18.0.50", "255.255.255.0", "198.18.1.1"),
             "gateway 198.18.1.1 is outside the subnet 198.18.0.0/24 of IP address 198.18.0.50"),
            (("198.18.0", "255.255.255.0", "198.18.0.1"), "not a dotted IP address"),
            # Addresses the device would take and then drop off the network with.
            (("127.0.0.1", "255.0.0.0", "127.0.0.2"), "IP address 127.0.0.1 is a loopback address"),
            (("10.77.0.127", "255.255.255.128", "10.77.0.1"), "IP address 10.77.0.127 is the broadcast address"),
            (("198.18.0.50", "255.0.255.0", "198.18.0.1"), "netmask 255.0.255.0 is not contiguous"),
        ]
        before = len(self.sim.log())
        for addresses, message in cases:
            result = self.cli("set-static", "mover", *addresses)
            self.assertEqual(2, result.code, result)
            self.assertEqual(1, len(result.err.splitlines()), result)
            self.assertTrue(result.err.startswith("lumaseek-cli: "), result)
            self.assertIn(message, result.err)
        self.assertEqual(before, len(self.sim.log()), "nothing reached the devices")

    def test_addresses_ending_in_0_and_255_inside_a_22_are_hosts(self):
        mask, gateway = self.lab.netmask(), self.lab.pc_ip(0)
        for new_ip in ("198.18.1.0", "198.18.0.255"):
            before = len(self.config_requests())
            result = self.cli("set-static", "edge", new_ip, mask, gateway)
            self.assertEqual(0, result.code, result)
            self.assertEqual(["edge", new_ip], result.out.splitlines()[1].split()[:2])
            self.assertEqual(before + 1, len(self.config_requests()))

    def test_an_address_in_use_needs_force(self):
        taken, mask, gateway = self.lab.dev_ip(0, 5), self.lab.netmask(), self.lab.pc_ip(0)
        before = len(self.config_requests())
        refused = self.cli("set-static", "crowded", taken, mask, gateway)
        self.assertEqual(2, refused.code, refused)
        self.assertIn(f"the device occupant already uses {taken}", refused.err)
        self.assertIn("--force", refused.err)
        this_pc = self.cli("set-static", "crowded", gateway, mask, self.lab.dev_ip(0, 240))
        self.assertEqual(2, this_pc.code, this_pc)
        self.assertIn(f"this PC already uses {gateway}", this_pc.err)
        self.assertEqual(before, len(self.config_requests()))
        forced = self.cli("set-static", "crowded", taken, mask, gateway, "--force")
        self.assertEqual(0, forced.code, forced)
        self.assertIn(f"warning: the device occupant already uses {taken}", forced.err)
        self.assertEqual(before + 1, len(self.config_requests()))

    def test_a_shared_name_is_refused_and_the_changed_device_shown_by_its_address(self):
        twins = (self.lab.dev_ip(0, 3), self.lab.dev_ip(0, 4))
        before = len(self.sim.log())
        for args in (["set-dhcp", "twin"], ["shares", "twin"], ["login", "twin"]):
            result = self.cli(*args)
            self.assertEqual(2, result.code, (args, result))
            self.assertIn(f"2 devices are named 'twin' ({twins[0]}, {twins[1]})", result.err)
        guarded, impostor = self.lab.dev_ip(0, 2), self.lab.dev_ip(0, 8)
        result = self.cli("shares", guarded)
        self.assertEqual(2, result.code, result)
        self.assertIn(f"'{guarded}' is both the address of the device guarded and the name of the device at "
                      f"{impostor}", result.err)
        asked = [e for e in self.sim.log()[before:] if e.direction == "RX" and e.opcode != OP_SEARCH]
        self.assertEqual([], asked, "only searches were sent")
        # The first twin moves; the table shows it at its new address, not the other twin.
        new_ip = self.lab.dev_ip(0, 104)
        moved = self.cli("set-static", twins[0], new_ip, "255.255.252.0", self.lab.pc_ip(0))
        self.assertEqual(0, moved.code, moved)
        self.assertEqual(["twin", new_ip], moved.out.splitlines()[1].split()[:2])
        self.assertEqual(2, len(moved.out.splitlines()))


if __name__ == "__main__":
    unittest.main()
