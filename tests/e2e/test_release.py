"""The release zip, unpacked where a user would put it: both programs run from there."""

import os
import subprocess
import sys
import unittest
import zipfile

import harness
from e2e_base import require_program
from lab import binary

RELEASE_ZIP = os.path.join(harness.REPO, "scripts", "lib", "release_zip.py")


@require_program
class Release(unittest.TestCase):
    def test_the_unpacked_zip_runs_and_names_its_version(self):
        with harness.WineSession("release") as s:
            build_dir = os.path.dirname(harness.WIN_BIN_DIR)
            zip_path = subprocess.run([sys.executable, RELEASE_ZIP, build_dir, os.path.join(s.prefix, "dist")],
                                      check=True, capture_output=True, text=True).stdout.strip()
            folder = os.path.join(s.prefix, "drive_c", "lumaseek")
            with zipfile.ZipFile(zip_path) as z:
                self.assertEqual(z.namelist(), ["lumaseek.exe", "lumaseek-cli.exe", "README.txt", "LICENSE.txt"])
                z.extractall(folder)

            s.start_program(os.path.join(folder, "lumaseek.exe"))
            s.wait_main_window()

            # the native build's version, from the same project(): the zip's name and the exe agree with it
            version = subprocess.run([binary("lumaseek-cli"), "--version"], check=True, capture_output=True,
                                     text=True).stdout.split()[1]
            self.assertEqual(os.path.basename(zip_path), f"lumaseek-{version}-win64.zip")
            answer = s.wine([os.path.join(folder, "lumaseek-cli.exe"), "--version"])
            self.assertEqual((answer.returncode, answer.stdout), (0, f"lumaseek-cli {version}\r\n"))
            s.screenshot("from-the-zip")  # after the cli's run: Wine's desktop has drawn the window by then


if __name__ == "__main__":
    unittest.main()
