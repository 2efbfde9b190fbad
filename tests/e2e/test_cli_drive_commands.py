"""lumaseek-cli.exe map, unmap, drives, remap and open under Wine: shares
mapped, disconnected and moved through lsnetprov (see test_drive_mapping.py),
and open running the Search Device page's own command lines."""

import json
import os
import re
import tempfile
import unittest

import harness
import lab
from e2e_base import require_program, wait_for
from resource_ids import ids
from test_drive_mapping import BAD_PASSWORD, PROVIDER, PROVIDER_DLL, provider_calls, register_provider

NOT_CONNECTED = "2250"  # ERROR_NOT_CONNECTED
OPEN_FILES = "2401"  # ERROR_OPEN_FILES
REMEMBERED = "1202"  # ERROR_DEVICE_ALREADY_REMEMBERED
TRACE = "trace+process"  # every command line a process starts, on stderr
BROWSERS = "HKLM\\Software\\Clients\\StartMenuInternet"
# A default browser that writes the URL it is given into C:\opened.txt.
RECORDER = "C:\\windows\\system32\\cmd.exe /c echo>>C:\\opened.txt"


def started(trace, ip):
    """The command lines naming the device's address that Wine's process trace
    saw started by the thread that started the first of them (the Explorer
    started may start more)."""
    found = [(thread, re.sub(r"\\(.)", r"\1", line)) for thread, line in
             re.findall(r'^(\w+):trace:process:CreateProcessInternalW app .* cmdline L"(.*)"\r?$', trace, re.MULTILINE)]
    found = [(thread, line) for thread, line in found if ip in line]
    return [line for thread, line in found if thread == found[0][0]] if found else []


def recorded(path):
    if not os.path.exists(path):
        return []
    with open(path, encoding="latin-1") as f:
        return f.read().split()


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
@unittest.skipUnless(os.path.exists(PROVIDER_DLL), "lsnetprov.dll is built with lumaseek.exe")
class CliDriveCommands(unittest.TestCase):
    def cli(self, s, *args, winedebug=None):
        return s.cli(args, winedebug=winedebug)

    def moved_device(self, s, password=None, move_drives=False, **settings):
        """nas's Public on D: and Media on F:, other's Media on E:; then nas
        moves to another address by set-static, which without move_drives
        changes no letter and names those left behind. Returns (old, new,
        other) addresses; self.change: (the provider's calls before set-static,
        its result). settings: lsnetprov's further settings, "{new}" standing
        for nas's new address."""
        register_provider(s, password)
        old, new, other = s.lab.dev_ip(0, 0), s.lab.dev_ip(0, 5), s.lab.dev_ip(0, 1)
        for name, value in settings.items():
            s.reg_add(f"HKLM\\System\\CurrentControlSet\\Services\\{PROVIDER}\\NetworkProvider", name,
                      value.format(new=new))
        device = {"netmask": s.lab.netmask(), "gateway": s.lab.pc_ip(0), "shares": ["Public", "Media"]}
        s.lab.start_sim([dict(device, name="nas", ip=old), dict(device, name="other", ip=other)])
        login = ["--password", password] if password else []
        for args in (["nas", "Public", "D:"], ["other", "Media", "E:"], ["nas", "Media", "F:"]):
            done = self.cli(s, "map", *args, *login)
            self.assertEqual(0, done.returncode, done)
        before = len(provider_calls(s))
        done = self.cli(s, "set-static", "nas", new, s.lab.netmask(), s.lab.pc_ip(0),
                        *(["--move-drives"] if move_drives else []))
        self.assertEqual(0, done.returncode, done)
        self.change = before, done
        if not move_drives:
            self.assertIn(f"lumaseek-cli: D:, F: still point at {old}: move them with: lumaseek-cli remap {old} {new}\n",
                          done.stderr.replace("\r", ""))
            self.assertEqual([], provider_calls(s)[before:], "no letter changed")
        return old, new, other

    def drives(self, s):
        done = self.cli(s, "drives", "--json")
        self.assertEqual(0, done.returncode, done)
        return {d["letter"]: (d["address"], d["share"], d["device"] and d["device"]["name"])
                for d in json.loads(done.stdout)}

    def logon_user(self, s):
        return s.wine(["cmd", "/c", "echo %USERNAME%"]).stdout.strip()

    def test_drives_names_the_device_at_each_letters_address(self):
        with harness.WineSession("cli-drives") as s:
            old, new, other = self.moved_device(s)
            listed = self.cli(s, "drives")
            self.assertEqual((0, [f"D:  \\\\{old}\\Public  no device answers at {old}",
                                  f"E:  \\\\{other}\\Media   other ({other})",
                                  f"F:  \\\\{old}\\Media   no device answers at {old}"]),
                             (listed.returncode, listed.stdout.splitlines()), listed)
            self.assertEqual({"D:": (old, "Public", None), "E:": (other, "Media", "other"), "F:": (old, "Media", None)},
                             self.drives(s))

    def test_remap_and_move_drives_move_exactly_the_old_addresses_letters_persistently(self):
        for how in ("remap", "move-drives"):
            with self.subTest(how), harness.WineSession(f"cli-{how}") as s:
                old, new, other = self.moved_device(s, move_drives=how == "move-drives")
                before, done = self.change
                if how == "remap":
                    before = len(provider_calls(s))
                    done = self.cli(s, "remap", old, "nas")
                moved = [f"D: \\\\{new}\\Public", f"F: \\\\{new}\\Media"]
                self.assertEqual((0, moved), (done.returncode, done.stdout.splitlines()[-2:]), done)
                self.assertNotIn("still point", done.stderr)
                user = self.logon_user(s)
                calls = []
                for letter, share in (("D:", "Public"), ("F:", "Media")):
                    remote = f"\\\\{new}\\{share}"
                    # the new share takes the login before the letter lets go, never forced
                    calls += [["add", "", remote, user, "", "0"], ["cancel", letter, "0", "0"],
                              ["add", letter, remote, user, "", "0"], ["cancel", remote, "0", "0"]]
                self.assertEqual(calls, provider_calls(s)[before:])
                self.assertEqual({"D:": (new, "Public", "nas"), "E:": (other, "Media", "other"),
                                  "F:": (new, "Media", "nas")}, self.drives(s))
                for letter, share in (("D", "Public"), ("F", "Media")):
                    remembered = s.wine(["reg", "query", f"HKCU\\Network\\{letter}", "/v", "RemotePath"])
                    self.assertIn(f"\\\\{new}\\{share}", remembered.stdout, "persistent")

    def test_remap_leaves_a_letter_windows_will_not_release_or_connect_anew(self):
        with harness.WineSession("cli-remap-kept") as s:
            old, new, other = self.moved_device(s, OpenFiles="D:", LetterRefused="\\\\{new}\\Media")
            before = len(provider_calls(s))
            done = self.cli(s, "remap", old, new)
            self.assertEqual((1, ""), (done.returncode, done.stdout), done)
            self.assertRegex(done.stderr, rf"^lumaseek-cli: D: stays on \\\\{re.escape(old)}\\Public: "
                                          r"Windows will not release it \(\w.*\); close what is open on it")
            self.assertRegex(done.stderr, rf"\nlumaseek-cli: F: stays on \\\\{re.escape(old)}\\Media: cannot connect "
                                          rf"it to \\\\{re.escape(new)}\\Media \(\w.*\); to finish the move: "
                                          r"lumaseek-cli unmap F: && ")
            user = self.logon_user(s)
            public, media = f"\\\\{new}\\Public", f"\\\\{new}\\Media"
            self.assertEqual([["add", "", public, user, "", "0"], ["cancel", "D:", "0", OPEN_FILES],
                              ["cancel", public, "0", "0"],
                              ["add", "", media, user, "", "0"], ["cancel", "F:", "0", "0"]] +
                             [["add", "F:", media, user, "", REMEMBERED]] * 6 +
                             [["cancel", media, "0", "0"], ["add", "F:", f"\\\\{old}\\Media", user, "", "0"]],
                             provider_calls(s)[before:], "the cancelled letter connected again to its old share")
            self.assertEqual({"D:": (old, "Public", None), "E:": (other, "Media", "other"), "F:": (old, "Media", None)},
                             self.drives(s))

    def test_remap_refused_by_the_new_share_leaves_the_letter_as_it_was(self):
        with harness.WineSession("cli-remap-refused") as s:
            old, new, other = self.moved_device(s, password="secret")
            before = len(provider_calls(s))
            done = self.cli(s, "remap", old, "nas")
            self.assertEqual((1, ""), (done.returncode, done.stdout), done)
            user = self.logon_user(s)
            for letter, share in (("D:", "Public"), ("F:", "Media")):
                self.assertIn(f"lumaseek-cli: {letter} stays on \\\\{old}\\{share}: \\\\{new}\\{share} refused "
                              f"the login (", done.stderr)
                self.assertIn(f"with another login: lumaseek-cli unmap {letter} && lumaseek-cli map {new} {share} "
                              f"{letter} --user {user} --password-stdin\n", done.stderr.replace("\r", ""))
            refused = [["add", "", f"\\\\{new}\\{share}", user, "", BAD_PASSWORD] for share in ("Public", "Media")]
            self.assertEqual([refused[0]] * 6 + [refused[1]] * 6, provider_calls(s)[before:], "no letter let go")
            self.assertEqual({"D:": (old, "Public", None), "E:": (other, "Media", "other"), "F:": (old, "Media", None)},
                             self.drives(s))

    def test_map_to_the_first_free_or_the_given_letter_then_unmap(self):
        # Wine 8 reports NT 6.1: the page's "Vista" attempts
        with harness.WineSession("cli-map") as s:
            register_provider(s, "secret")
            ip = s.lab.dev_ip(0, 0)
            s.lab.start_sim([{"name": "nas", "ip": ip, "netmask": s.lab.netmask(), "shares": ["Public", "Media"]}])
            public, media = f"\\\\{ip}\\Public", f"\\\\{ip}\\Media"

            done = self.cli(s, "map", "nas", "Public", "--user", "alice", "--password", "secret")
            self.assertEqual((0, "D:"), (done.returncode, done.stdout.strip()), done)
            self.assertEqual([["cancel", "D:", "1", NOT_CONNECTED], ["add", "D:", public, "alice", "secret", "0"]],
                             provider_calls(s))

            refused = self.cli(s, "map", ip, "Media")
            self.assertEqual(1, refused.returncode, refused)
            self.assertTrue(refused.stderr.startswith(f"lumaseek-cli: cannot connect E: to {media} ("), refused)
            self.assertEqual([["cancel", "E:", "1", NOT_CONNECTED]] + [["add", "E:", media, "", "", BAD_PASSWORD]] * 6,
                             provider_calls(s)[2:], "six silent attempts; the interactive one never reaches a provider")

            taken = self.cli(s, "map", "nas", "Media", "d", "--password", "secret")
            self.assertEqual(1, taken.returncode, taken)
            self.assertIn(f"D: is connected to {public}", taken.stderr)
            done = self.cli(s, "map", "nas", "Media", "k", "--password", "secret")
            self.assertEqual((0, "K:"), (done.returncode, done.stdout.strip()), done)

            for letter in ("D:", "k"):
                done = self.cli(s, "unmap", letter)
                self.assertEqual((0, ""), (done.returncode, done.stdout), done)
            self.assertEqual([["cancel", "D:", "1", "0"], ["cancel", "K:", "1", "0"]], provider_calls(s)[-2:])
            again = self.cli(s, "unmap", "D:")
            self.assertEqual(1, again.returncode, again)
            self.assertRegex(again.stderr, r"^lumaseek-cli: cannot disconnect D: \(\w")
            local = self.cli(s, "unmap", "C")
            self.assertEqual(1, local.returncode, local)
            self.assertIn("lumaseek-cli: C: is no network drive", local.stderr)

    def test_open_runs_the_search_pages_command_lines(self):
        with harness.WineSession("cli-open") as s:
            for key, data in ((BROWSERS, "Recorder"), (BROWSERS + "\\Recorder\\shell\\open\\command", RECORDER)):
                self.assertEqual(0, s.wine(["reg", "add", key, "/ve", "/d", data, "/f"]).returncode)
            ip = s.lab.dev_ip(0, 0)
            s.lab.start_sim([{"name": "nas", "ip": ip, "netmask": s.lab.netmask()}])
            expected = [f"{RECORDER} http://{ip}", f'"explorer" \\\\{ip}']

            cli_lines = []
            for args in (["nas"], ["nas", "--share"]):
                done = self.cli(s, "open", *args, winedebug=TRACE)
                self.assertEqual(0, done.returncode, done)
                cli_lines += started(done.stderr, ip)
            self.assertEqual(expected, cli_lines)
            opened = os.path.join(s.prefix, "drive_c", "opened.txt")
            self.assertTrue(wait_for(lambda: recorded(opened) == [f"http://{ip}"]), "the browser's command ran")

            # the page's "Configure" and "OK" on the same device
            with tempfile.TemporaryFile() as trace:
                s.start_program(winedebug=TRACE, stderr=trace)
                main, _ = s.wait_main_window()
                s.driver.call("clickrow", s.driver.control(main, ids.IDC_DEVICE_LIST), 0)
                s.driver.call("button", s.driver.control(main, ids.IDC_CONFIGURE))
                self.assertTrue(wait_for(lambda: len(recorded(opened)) == 2), "the page's browser ran")
                s.driver.call("button", s.driver.control(main, ids.IDC_SEARCH_OK))
                self.assertTrue(s.wait_program_end(15), "OK closes the program")
                trace.seek(0)
                self.assertEqual(cli_lines, started(trace.read().decode("latin-1"), ip))


if __name__ == "__main__":
    unittest.main()
