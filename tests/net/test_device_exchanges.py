"""Login checks and share lists against simulated devices."""

import os
import tempfile
import unittest

from lab import binary
from netcase import OP_QUERY, LabCase, device


class LoginAndShares(LabCase):
    @classmethod
    def lab_setup(cls):
        lab = cls.lab
        cls.sim = lab.start_sim([
            device(lab, "nas1", 0, 0, shares=["public", "media", "backup"]),
            device(lab, "guarded", 0, 1, user="admin", password="s3cret", shares=[]),
            device(lab, "refuser", 0, 2, refuse_login=True),
            device(lab, "group-nas", 0, 3, multicast=True, shares=["a" * 40, "b"]),
            device(lab, "odd-name", 0, 4, name_hex=b"caf\xc3\xa9 \\ \x01\xe9".hex(), shares=["x"]),
            device(lab, "silent", 0, 5, drop=["login"]),
            device(lab, "wide", 0, 6, password="é" * 8),  # 16 bytes in UTF-8
        ])

    def logins(self):
        return len([e for e in self.sim.log() if e.direction == "RX" and e.opcode == OP_QUERY and e.data[21] == 4])

    def test_shares_by_name_and_by_address(self):
        by_name = self.cli("shares", "nas1", "--json")
        self.assertEqual(0, by_name.code, by_name)
        self.assertEqual(["public", "media", "backup"], by_name.json())
        by_ip = self.cli("shares", self.lab.dev_ip(0, 3))
        self.assertEqual(0, by_ip.code, by_ip)
        self.assertEqual(["a" * 40, "b"], by_ip.out.split())
        empty = self.cli("shares", "guarded", "--json")
        self.assertEqual((0, []), (empty.code, empty.json()))

    def test_default_credential_is_accepted_and_sent_in_clear(self):
        result = self.cli("login", "nas1")
        self.assertEqual(0, result.code, result)
        requests = [e.data for e in self.sim.log()
                    if e.direction == "RX" and e.opcode == OP_QUERY and e.data[21] == 4]
        self.assertIn(b"kemsa\x55\xaakemsa", [r[28:] for r in requests])

    def test_other_credentials_and_refusals(self):
        refused = self.cli("login", "guarded")
        self.assertEqual(1, refused.code, refused)
        self.assertIn("refused", refused.err)
        accepted = self.cli("login", "guarded", "--user", "admin", "--password", "s3cret")
        self.assertEqual(0, accepted.code, accepted)
        wrong_user = self.cli("login", "guarded", "--password", "s3cret")
        self.assertEqual(1, wrong_user.code, wrong_user)
        always = self.cli("login", "refuser")
        self.assertEqual(1, always.code, always)
        # A refusal ends the wait at once: search (about 1 s) and a reply, not the 1.1 s time-out.
        self.assertLess(always.seconds, 2.0, always)

    def test_usage_errors_exit_2_before_anything_is_sent(self):
        before = len(self.sim.log())
        for args in (["frobnicate"], ["shares"], ["login", "nas1", "--json"], ["search", "--user", "x"],
                     ["search", "--colour"], ["shares", "-x"], ["shares", "nas1", "-x"], ["shares", "nas1", "--", "-x"],
                     ["login", "nas1", "--password", "x", "--password-stdin"], ["watch", "--interval", "1"],
                     ["watch", "--interval=1"], ["login", "nas1", "--user", ""], ["login", "nas1", "--user="]):
            result = self.cli(*args)
            self.assertEqual(2, result.code, (args, result))
            self.assertRegex(result.err, r"^lumaseek-cli: [^\n]*\nTry 'lumaseek-cli --help'.\n$")
        self.assertEqual(before, len(self.sim.log()))
        # map, unmap, drives and remap are for Windows: how to mount instead, at the address a search finds
        address = self.lab.dev_ip(0, 0)
        for args, hint in ((["map", "nas1", "a b"], f"mount -t cifs '//{address}/a b' FOLDER"),
                           (["map", "198.18.0.010", "public", "E:"], f"mount -t cifs //{address}/public FOLDER"),
                           (["map", "nowhere", "public"], "no device 'nowhere' answered the search\n"
                            "lumaseek-cli: map is for Windows; on Linux, mount the share with mount.cifs: "
                            "mount -t cifs //ADDRESS/public"),
                           (["unmap", "E:"], "umount"),
                           (["drives", "--json"], "umount FOLDER, then mount -t cifs //ADDRESS/SHARE FOLDER"),
                           (["remap", "10.0.0.9", address], f"//{address}/SHARE"),
                           (["remap", "10.0.0.9", "nas1"], "(ADDRESS: as 'lumaseek-cli search' lists nas1)")):
            result = self.cli(*args)
            self.assertEqual(2, result.code, (args, result))
            self.assertIn(hint, result.err)
        self.assertEqual(0, self.cli("--version").code)
        self.assertIn("set-static DEVICE IP NETMASK GATEWAY", self.cli("--help").out)

    def test_options_joined_to_their_value_and_closed_standard_streams(self):
        joined = self.cli("login", "nas1", "--user=kemsa")
        self.assertEqual((0, "Login accepted by 198.18.0.10\n"), (joined.code, joined.out), joined)
        # No socket takes a closed descriptor: the table goes nowhere, without an error.
        closed = self.lab.run_pc(["bash", "-c", f"exec '{binary('lumaseek-cli')}' search >&- <&-"])
        self.assertEqual((0, ""), (closed.returncode, closed.stderr), closed)

    def test_a_name_as_search_shows_it_is_taken_back_as_device(self):
        names = [d["name"] for d in self.cli("search", "--json").json()]
        shown = "caf\u00e9 \\\\ \\x01\\xE9"  # UTF-8 as is, the backslash doubled, the rest escaped
        self.assertIn(shown, names)
        self.assertIn(shown, self.cli("search").out)
        result = self.cli("shares", shown, "--json")
        self.assertEqual((0, ["x"]), (result.code, result.json()), result)

    def test_passwords_from_stdin_or_the_environment_are_never_shown(self):
        accepted = [
            self.cli("login", "guarded", "--user", "admin", "--password-stdin", stdin="s3cret\nnext line\n"),
            self.cli("login", "guarded", "--user", "admin", env={"LUMASEEK_PASSWORD": "s3cret"}),
            self.cli("login", "guarded", "--user", "admin", "--password", "s3cret"),
            self.cli("login", "wide", "--password-stdin", stdin="é" * 8),  # no line end
        ]
        for result in accepted:
            self.assertEqual(0, result.code, result)
            self.assertNotIn("s3cret", result.out + result.err)
        self.assertEqual("", accepted[0].err)
        self.assertIn("--password-stdin", accepted[2].err)  # the warning about --password

        # Too long counts bytes, and ends alike wherever it came from, with no login sent.
        before = self.logins()
        long = "é" * 9
        refused = [self.cli("login", "wide", "--password-stdin", stdin=long + "\n"),
                   self.cli("login", "wide", env={"LUMASEEK_PASSWORD": long}),
                   self.cli("login", "wide", "--password", long),
                   self.cli("login", "wide", "--password-stdin", stdin="")]
        for result in refused:
            self.assertEqual(2, result.code, result)
            self.assertNotIn(long, result.err)
            self.assertIn("at most 16 bytes" if result is not refused[-1] else "ended", result.err)
        self.assertEqual(before, self.logins())

    def test_at_a_terminal_a_password_is_asked_only_when_it_can_help(self):
        silent = self.cli_at_terminal("login", "silent")
        self.assertEqual((1, f"lumaseek-cli: {self.lab.dev_ip(0, 5)} did not answer the login\n"),
                         (silent.code, silent.err))
        asked_first = self.cli_at_terminal("login", "guarded", "--user", "admin", typed=b"s3cret\n")
        self.assertEqual(0, asked_first.code, asked_first)
        self.assertIn("Password for admin", asked_first.err)
        self.assertNotIn("s3cret", asked_first.out + asked_first.err)
        # Refused, asked, and end of input there: nothing more is sent.
        before = self.logins()
        ended = self.cli_at_terminal("login", "guarded", typed=b"\x04")
        self.assertEqual(1, ended.code, ended)
        self.assertIn("refused the default password", ended.err)
        self.assertIn("end of input", ended.err)
        self.assertEqual(before + 1, self.logins())
        # Refused again with the password typed: no more advice about the default one.
        wrong = self.cli_at_terminal("login", "guarded", typed=b"wrong\n")
        self.assertEqual(1, wrong.code, wrong)
        self.assertIn("refused the login as", wrong.err)
        self.assertNotIn("with the default password", wrong.err)

    def test_open_hands_the_web_page_or_the_share_root_to_xdg_open(self):
        ip = self.lab.dev_ip(0, 0)
        with tempfile.TemporaryDirectory() as folder:
            opened = os.path.join(folder, "opened")
            with open(os.path.join(folder, "xdg-open"), "w") as f:
                f.write(f'#!/bin/sh\necho "$@" >> {opened}\nexit "$XDG_STATUS"\n')
            os.chmod(os.path.join(folder, "xdg-open"), 0o755)
            env = dict(os.environ, PATH=folder + os.pathsep + os.environ["PATH"], XDG_STATUS="0")
            for args in (["open", "nas1"], ["open", ip, "--share"]):
                result = self.cli(*args, env=env)
                self.assertEqual((0, ""), (result.code, result.out), result)
            failed = self.cli("open", "nas1", env=dict(env, XDG_STATUS="4"))
            self.assertEqual(1, failed.code, failed)
            self.assertIn("xdg-open ended with status 4", failed.err)
            with open(opened) as f:
                self.assertEqual([f"http://{ip}", f"smb://{ip}/", f"http://{ip}"], f.read().split())

    def test_simulator_stops_cleanly_on_sigterm(self):
        sim = self.lab.start_sim([device(self.lab, "short-lived", 0, 20)])
        self.assertEqual(0, sim.stop())
        self.assertEqual("stopped", sim.notes()[-1])

    def test_unknown_device_fails_without_a_per_device_request(self):
        before = len(self.sim.log())
        result = self.cli("login", "nobody")
        self.assertEqual(1, result.code, result)
        self.assertIn("nobody", result.err)
        sent_after = [e for e in self.sim.log()[before:] if e.direction == "RX" and e.opcode != 1]
        self.assertEqual([], sent_after)


if __name__ == "__main__":
    unittest.main()
