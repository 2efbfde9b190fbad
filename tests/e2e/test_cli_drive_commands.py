"""lumaseek-cli.exe map, unmap and open under Wine: a share mapped and
disconnected through lsnetprov (see test_drive_mapping.py), and open running
the Search Device page's own command lines."""

import os
import re
import tempfile
import unittest

import harness
import lab
from e2e_base import require_program, wait_for
from resource_ids import ids
from test_drive_mapping import BAD_PASSWORD, PROVIDER_DLL, provider_calls, register_provider

NOT_CONNECTED = "2250"  # ERROR_NOT_CONNECTED
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
        return s.wine([harness.win_exe("lumaseek-cli.exe"), *args], timeout=120, winedebug=winedebug)

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
