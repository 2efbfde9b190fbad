"""After set-dhcp and set-static the changed device is found again by who it
is, wherever it answers, and the exit status says whether the change went as
asked."""

import unittest

from netcase import LabCase, device


class AfterChange(LabCase):
    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        cls.pool = lab.dev_ip(0, 200)
        cls.sim = lab.start_sim([
            device(lab, "wrong-from", 0, 0, confirm_wrong_address=True),
            device(lab, "mute", 0, 1, never_confirm=True),
            device(lab, "pusher", 0, 2),
            device(lab, "sitter", 0, 3),
            device(lab, "emigrant", 0, 4),
        ], dhcp_pool=[cls.pool])

    def rows(self, result):
        return [line.split()[:2] for line in result.out.splitlines()[1:]]

    def test_a_device_confirming_from_a_wrong_address_is_shown_where_it_answers(self):
        old = self.lab.dev_ip(0, 0)
        result = self.cli("set-dhcp", "wrong-from")
        self.assertEqual(1, result.code, result)
        self.assertEqual([["wrong-from", self.pool]], self.rows(result))
        self.assertIn(f"confirmed the change from {old} but answers at {self.pool}", result.err)

    def test_a_device_that_moves_without_confirming_is_shown_at_its_new_address(self):
        new_ip = self.lab.dev_ip(0, 61)
        result = self.cli("set-static", "mute", new_ip, self.lab.netmask(), self.lab.pc_ip(0), "--move-drives")
        self.assertEqual(1, result.code, result)
        self.assertEqual([["mute", new_ip]], self.rows(result))
        self.assertIn(f"did not confirm the change but answers at the new address {new_ip}", result.err)
        self.assertNotIn("moving drive letters", result.err, "an unconfirmed change moves no letter")

    def test_forced_onto_a_used_address_both_devices_are_shown(self):
        taken = self.lab.dev_ip(0, 3)
        result = self.cli("set-static", "pusher", taken, self.lab.netmask(), self.lab.pc_ip(0), "--force",
                          "--move-drives")
        self.assertEqual(0, result.code, result)
        self.assertEqual([["pusher", taken], ["sitter", taken]], self.rows(result))
        self.assertIn(f"2 devices now answer at {taken}", result.err)
        # Linux has no letters to move: it says how to remount there
        self.assertIn(f"moving drive letters is for Windows; on Linux, 'findmnt -t cifs' lists the mounted shares; "
                      f"to move one to the device's new address, unmount it and mount it from there: umount FOLDER, "
                      f"then mount -t cifs //{taken}/SHARE", result.err)

    def test_an_address_outside_every_local_subnet_is_warned_of_and_still_sent(self):
        result = self.cli("set-static", "emigrant", "10.9.0.5", "255.255.255.0", "10.9.0.1")
        self.assertIn("lumaseek-cli: warning: 10.9.0.5 lies outside every subnet of this PC's interfaces", result.err)
        # The lab's link still carries its replies, so here it is found there.
        self.assertEqual((0, [["emigrant", "10.9.0.5"]]), (result.code, self.rows(result)), result)

    def test_the_simulator_removes_the_addresses_of_moved_devices_when_it_ends(self):
        lab = self.lab
        sim = lab.start_sim([device(lab, "roamer", 0, 20)])
        new_ip = lab.dev_ip(0, 120)
        self.assertEqual(0, self.cli("set-static", "roamer", new_ip, lab.netmask(), lab.pc_ip(0)).code)

        def held():
            return lab.run_ns(lab.lan_ns(0), ["ip", "-4", "-o", "address", "show"]).stdout

        self.assertIn(f" {new_ip}/22 ", held())
        self.assertEqual(0, sim.stop())
        self.assertNotIn(f" {new_ip}/", held())


if __name__ == "__main__":
    unittest.main()
