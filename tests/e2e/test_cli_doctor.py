"""lumaseek-cli.exe doctor under Wine: the interface names, netmasks and
error texts come from Windows' own calls, the texts as Unicode in any locale."""

import json
import os
import subprocess
import sys
import unittest

import harness
import lab
from e2e_base import require_program

# Holds port 13579 without letting anyone share it.
PORT_HOLDER = "import socket, time; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); " \
              "s.bind(('0.0.0.0', 13579)); print('ready', flush=True); time.sleep(120)"


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
class CliDoctor(unittest.TestCase):
    def doctor(self, s):
        done = s.cli(["doctor", "--json"])
        # JSON is UTF-8; the session hands its bytes over as Latin-1
        return done.returncode, json.loads(done.stdout.encode("latin-1").decode("utf-8"))

    def doctor_with_the_port_held(self, s):
        holder = subprocess.Popen(s.pc_cmd([sys.executable, "-c", PORT_HOLDER]), stdout=subprocess.PIPE, text=True)
        try:
            self.assertEqual("ready", holder.stdout.readline().strip())
            return self.doctor(s)
        finally:
            holder.kill()
            holder.wait()
            holder.stdout.close()

    def test_interfaces_with_their_windows_names_and_netmasks_then_a_held_port(self):
        with harness.WineSession("cli-doctor", links=2) as s:
            s.lab.start_sim([{"name": "nas", "ip": s.lab.dev_ip(0, 0), "netmask": s.lab.netmask()}])
            code, report = self.doctor(s)
            self.assertEqual(0, code, report)
            by_address = {i["address"]: i for i in report["interfaces"]}
            self.assertEqual({s.lab.pc_ip(0), s.lab.pc_ip(1)}, set(by_address))
            for k in range(2):
                self.assertEqual((f"lsk{k}", "255.255.252.0"),
                                 (by_address[s.lab.pc_ip(k)]["name"], by_address[s.lab.pc_ip(k)]["netmask"]))
            self.assertEqual(["nas"], [d["name"] for d in by_address[s.lab.pc_ip(0)]["listed"]])
            self.assertEqual(["interface_hears_nothing"], [f["code"] for f in report["findings"]])

            code, report = self.doctor_with_the_port_held(s)
            self.assertEqual(1, code, report)
            self.assertIn("port_in_use", [f["code"] for f in report["findings"]], report)
            self.assertTrue(report["interfaces"][0]["steps"]["bind"], "the system's text for the failed bind")

    def test_past_eight_addresses_search_lists_every_device_and_doctor_names_the_rest(self):
        with harness.WineSession("cli-ten", links=10) as s:
            s.lab.start_sim([{"name": "tenth", "ip": s.lab.dev_ip(9, 0), "netmask": s.lab.netmask()}], link=9)
            done = s.cli(["search", "--json"])
            self.assertEqual(0, done.returncode, done)
            self.assertEqual([("tenth", s.lab.pc_ip(9))], [(d["name"], d["interface"]) for d in json.loads(done.stdout)])
            code, report = self.doctor(s)
            self.assertEqual(1, code, report)  # the window does not find it
            self.assertEqual(8, len(report["interfaces"]))
            unsearched = [f["text"] for f in report["findings"] if f["code"] == "unsearched_addresses"]
            self.assertEqual(1, len(unsearched), report["findings"])
            searched = {i["address"] for i in report["interfaces"]}
            missed = [s.lab.pc_ip(k) for k in range(10) if s.lab.pc_ip(k) not in searched]
            self.assertEqual(2, len(missed))
            self.assertTrue(unsearched[0].endswith(" never " + ", ".join(missed)) or
                            unsearched[0].endswith(" never " + ", ".join(reversed(missed))), unsearched[0])

    def test_the_system_text_of_a_refused_bind_is_unicode_in_a_japanese_locale(self):
        with harness.WineSession("cli-doctor-ja", locale="ja_JP.UTF-8") as s:
            _, report = self.doctor_with_the_port_held(s)
            # Wine's own Japanese text, its full stop dropped as the English one's is
            self.assertEqual("アクセスが拒否されました", report["interfaces"][0]["steps"]["bind"], report)


if __name__ == "__main__":
    unittest.main()
