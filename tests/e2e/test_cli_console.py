"""lumaseek-cli.exe as a Windows console program under Wine: Ctrl-C, the NUL
device, /? and the system's texts in a Japanese locale."""

import json
import os
import subprocess
import sys
import tempfile
import time
import unittest

import harness
import lab
from e2e_base import require_program, wait_for

OP_CONFIG = 5
CLI = harness.win_exe("lumaseek-cli.exe")
# Holds port 13579 without letting anyone share it.
PORT_HOLDER = "import socket, time; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); " \
              "s.bind(('0.0.0.0', 13579)); print('ready', flush=True); time.sleep(120)"


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
class CliConsole(unittest.TestCase):
    def test_ctrl_c_during_an_unconfirmed_change_exits_130_and_says_the_request_went_out(self):
        with harness.WineSession("cli-ctrl-c") as s:
            sim = s.lab.start_sim([{"name": "never", "ip": s.lab.dev_ip(0, 0), "netmask": s.lab.netmask(),
                                    "never_confirm": True}])
            with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
                # lsctrlc gives the CLI a console and sends it Ctrl-C on our line
                proc = subprocess.Popen(s.pc_cmd(["wine", harness.win_exe("lsctrlc.exe"), CLI, "set-dhcp", "never"]),
                                        env=s.env(), stdin=subprocess.PIPE, stdout=out, stderr=err)
                try:
                    sent = wait_for(lambda: any(e.direction == "RX" and e.opcode == OP_CONFIG for e in sim.log()),
                                    timeout_s=60, step_s=0.05)
                    proc.stdin.write(b"go\n")
                    proc.stdin.close()
                    code = proc.wait(timeout=30)
                finally:
                    proc.kill()
                out.seek(0)
                err.seek(0)
                stderr = err.read().decode("utf-8", "replace")
            self.assertTrue(sent, "the change request reached the device")
            self.assertEqual(130, code, stderr)
            self.assertIn("lumaseek-cli: interrupted while waiting for the device to confirm; "
                          "its request had already been sent", stderr)


if __name__ == "__main__":
    unittest.main()
