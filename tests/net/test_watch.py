"""watch: one JSON line per change while devices appear, move and vanish,
until SIGINT ends it cleanly."""

import json
import os
import queue
import shutil
import signal
import subprocess
import threading
import time
import unittest
from pathlib import Path

from lab import available, binary
from netcase import OP_SEARCH, LabCase, device


class Watch(LabCase):
    @classmethod
    def lab_setup(cls):
        cls.sim = cls.lab.start_sim([device(cls.lab, "mover", 0, 0)])

    def test_a_lost_write_ends_it_with_one_message(self):
        with open("/dev/full", "w") as full:
            result = self.lab.run_pc([binary("lumaseek-cli"), "watch"], stdout=full, stderr=subprocess.PIPE,
                                     capture_output=False, stdin=subprocess.DEVNULL)
        self.assertEqual((1, "lumaseek-cli: the output could not be written: No space left on device\n"),
                         (result.returncode, result.stderr))

    def test_an_interrupted_search_ends_it_cleanly_without_events(self):
        def searches():
            return sum(e.direction == "RX" and e.opcode == OP_SEARCH for e in self.sim.log())

        before = searches()
        proc = self.lab.popen_pc([binary("lumaseek-cli"), "watch"], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                 text=True)
        deadline = time.monotonic() + 10
        while searches() == before and time.monotonic() < deadline:
            time.sleep(0.01)
        proc.send_signal(signal.SIGINT)  # its request sent, the first search reads its replies
        out, err = proc.communicate(timeout=10)
        self.assertEqual((0, "", ""), (proc.returncode, out, err), "a cut search may have missed devices")

    def test_appear_move_vanish_and_a_clean_end(self):
        lab = self.lab
        proc = lab.popen_pc([binary("lumaseek-cli"), "watch", "--json", "--interval", "2"],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        lines = queue.Queue()
        reader = threading.Thread(target=lambda: [lines.put(json.loads(line)) for line in proc.stdout])
        reader.start()

        def next_event():
            line = lines.get(timeout=20)
            self.assertRegex(line["time"], r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ$")
            # Linux has no drive letters: a move names none
            return (line["event"], line["device"]["name"], line["device"]["ip"], line.get("before", {}).get("ip"),
                    line.get("drives"))

        try:
            self.assertEqual(("appeared", "mover", lab.dev_ip(0, 0), None, None), next_event())
            new_ip = lab.dev_ip(0, 100)
            self.assertEqual(0, self.cli("set-static", "mover", new_ip, "255.255.255.0", lab.pc_ip(0)).code)
            self.assertEqual(("moved", "mover", new_ip, lab.dev_ip(0, 0), []), next_event())
            self.assertEqual(("changed", "mover", new_ip, lab.dev_ip(0, 0), None), next_event())  # the netmask

            newcomer = lab.start_sim([device(lab, "newcomer", 0, 5)])
            self.assertEqual(("appeared", "newcomer", lab.dev_ip(0, 5), None, None), next_event())
            newcomer.stop()
            self.assertEqual(("vanished", "newcomer", lab.dev_ip(0, 5), None, None), next_event())

            proc.send_signal(signal.SIGINT)
            self.assertEqual((0, ""), (proc.wait(timeout=10), proc.stderr.read()))
        finally:
            if proc.poll() is None:
                proc.kill()
            proc.wait()
            reader.join()
            proc.stdout.close()
            proc.stderr.close()
        self.assertTrue(lines.empty(), "no more events")


@unittest.skipUnless(available(), "needs root and iproute2 for network namespaces")
class NoInterface(unittest.TestCase):
    def test_watch_without_an_interface_says_so_and_ends(self):
        ns = f"lsk{os.getpid()}bare"
        etc = Path("/etc/netns") / ns
        subprocess.run(["ip", "netns", "add", ns], check=True)
        try:
            etc.mkdir(parents=True, exist_ok=True)
            (etc / "hosts").write_text("127.0.0.1 localhost\n")  # the host name names no address
            result = subprocess.run(["ip", "netns", "exec", ns, binary("lumaseek-cli"), "watch"], timeout=30,
                                    capture_output=True, text=True, stdin=subprocess.DEVNULL)
        finally:
            shutil.rmtree(etc, ignore_errors=True)
            subprocess.run(["ip", "netns", "del", ns], check=True)
        self.assertEqual(1, result.returncode, result)
        self.assertIn("lumaseek-cli: this PC has no network interface with an IPv4 address to search on", result.stderr)


if __name__ == "__main__":
    unittest.main()
