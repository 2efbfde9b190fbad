"""lumaseek-cli.exe as a Windows console program under Wine: /?, standard
input from NUL and Ctrl-C."""

import os
import subprocess
import tempfile
import unittest

import harness
import lab
from e2e_base import require_program, wait_for

OP_CONFIG = 5
CLI = harness.win_exe("lumaseek-cli.exe")
CLI_FOR_CMD = "Z:" + CLI.replace("/", "\\")


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
class CliConsole(unittest.TestCase):
    def test_help_nul_input_and_ctrl_c_as_a_windows_user_meets_them(self):
        with harness.WineSession("cli-console") as s:
            sim = s.lab.start_sim([
                {"name": "never", "ip": s.lab.dev_ip(0, 0), "netmask": s.lab.netmask(), "never_confirm": True},
                {"name": "guarded", "ip": s.lab.dev_ip(0, 1), "netmask": s.lab.netmask(), "password": "s3cret"},
            ])
            asked = s.wine([CLI, "/?"])
            self.assertEqual(0, asked.returncode, asked)
            self.assertIn("usage: lumaseek-cli search", asked.stdout)

            # the NUL device is no console: no prompt, the refusal, nothing typed is waited for
            refused = s.wine(["cmd", "/c", f"{CLI_FOR_CMD} login guarded < NUL"])
            self.assertEqual(1, refused.returncode, refused)
            self.assertRegex(refused.stderr, r"^lumaseek-cli: [0-9.]+ refused the login as kemsa with the default "
                                             r"password; [^\n]*\r\n$")

            code, stderr = self.interrupt_once_sent(s, sim, ["set-dhcp", "never"])
            self.assertEqual(130, code, stderr)
            self.assertIn("lumaseek-cli: interrupted while waiting for the device to confirm; "
                          "its request had already been sent", stderr)

    def interrupt_once_sent(self, s, sim, args):
        """Runs the CLI on a console of its own (lsctrlc) and presses Ctrl-C
        there once the device has the change request; its status and stderr."""
        with tempfile.TemporaryFile() as err:
            proc = subprocess.Popen(s.pc_cmd(["wine", harness.win_exe("lsctrlc.exe"), CLI] + args), env=s.env(),
                                    stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=err)
            try:
                sent = wait_for(lambda: any(e.direction == "RX" and e.opcode == OP_CONFIG for e in sim.log()),
                                timeout_s=60, step_s=0.05)
                self.assertTrue(sent, "the change request reached the device")
                proc.communicate(b"go\n", timeout=30)
            finally:
                proc.kill()
                proc.wait()
            err.seek(0)
            return proc.returncode, err.read().decode("utf-8", "replace")


if __name__ == "__main__":
    unittest.main()
