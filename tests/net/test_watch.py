"""watch: one JSON line per change while devices appear, move and vanish,
until SIGINT ends it cleanly."""

import json
import queue
import signal
import subprocess
import threading
import time
import unittest

from lab import binary
from netcase import LabCase, device


class Watch(LabCase):
    @classmethod
    def lab_setup(cls):
        cls.sim = cls.lab.start_sim([device(cls.lab, "mover", 0, 0)])

    def test_appear_move_vanish_and_a_clean_end(self):
        lab = self.lab
        proc = lab.popen_pc([binary("lumaseek-cli"), "watch", "--json", "--interval", "2"],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        lines = queue.Queue()
        reader = threading.Thread(target=lambda: [lines.put(line) for line in proc.stdout], daemon=True)
        reader.start()

        def next_event(event, name, timeout=20):
            deadline = time.monotonic() + timeout
            while time.monotonic() < deadline:
                try:
                    line = json.loads(lines.get(timeout=deadline - time.monotonic()))
                except queue.Empty:
                    break
                self.assertRegex(line["time"], r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ$")
                if (line["event"], line["device"]["name"]) == (event, name):
                    return line
            self.fail(f"no {event} event for {name}")

        try:
            first = next_event("appeared", "mover")
            self.assertEqual(lab.dev_ip(0, 0), first["device"]["ip"])

            new_ip = lab.dev_ip(0, 100)
            changed = self.cli("set-static", "mover", new_ip, "255.255.255.0", lab.pc_ip(0))
            self.assertEqual(0, changed.code, changed)
            moved = next_event("moved", "mover")
            self.assertEqual((lab.dev_ip(0, 0), new_ip), (moved["before"]["ip"], moved["device"]["ip"]))
            netmask = next_event("changed", "mover")
            self.assertEqual(("255.255.252.0", "255.255.255.0"),
                             (netmask["before"]["netmask"], netmask["device"]["netmask"]))

            newcomer = lab.start_sim([device(lab, "newcomer", 0, 5)])
            next_event("appeared", "newcomer")
            newcomer.stop()
            gone = next_event("vanished", "newcomer")
            self.assertEqual(lab.dev_ip(0, 5), gone["device"]["ip"])
            self.assertTrue(lines.empty(), "mover neither vanished nor appeared again")

            proc.send_signal(signal.SIGINT)
            self.assertEqual(0, proc.wait(timeout=10))
            self.assertEqual("", proc.stderr.read())
        finally:
            if proc.poll() is None:
                proc.kill()
            proc.wait()
            reader.join(timeout=5)
            proc.stdout.close()
            proc.stderr.close()


if __name__ == "__main__":
    unittest.main()
