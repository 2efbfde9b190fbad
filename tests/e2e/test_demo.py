"""Keeps scripts/demo from rotting: a headless run of the first steps of its walk."""

import os
import subprocess
import sys
import tempfile
import unittest

import harness
import lab
from e2e_base import require_program

DEMO = os.path.join(harness.REPO, "scripts", "lib", "demo.py")
STEPS = 3


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
class HeadlessDemo(unittest.TestCase):
    def test_first_steps_leave_a_different_picture_each_and_an_animation(self):
        with tempfile.TemporaryDirectory(prefix="lumaseek-demo-") as out:
            env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
            run = subprocess.run([sys.executable, DEMO, "--steps", str(STEPS), "--out", out], env=env,
                                 capture_output=True, text=True, timeout=120)
            self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
            pictures = sorted(f for f in os.listdir(out) if f.endswith(".png"))
            self.assertEqual(pictures, ["01-search-device.png", "02-device-picked.png", "03-ip-settings.png"])
            contents = set()
            for name in pictures:
                self.assertIn(f"demo: {name}: ", run.stdout, "each picture is described")
                with open(os.path.join(out, name), "rb") as f:
                    contents.add(f.read())
            self.assertEqual(len(contents), STEPS, "every step changes the window")
            frames = subprocess.run(["identify", os.path.join(out, "walk.gif")], capture_output=True, text=True)
            self.assertEqual(len(frames.stdout.splitlines()), STEPS)


if __name__ == "__main__":
    unittest.main()
