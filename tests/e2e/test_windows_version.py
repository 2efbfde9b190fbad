"""The Windows version name under Wine's version settings, through lsversion.exe,
a console probe built from the program's own version-naming code."""

import os
import unittest

import harness
from e2e_base import require_program

PROBE = harness.win_exe("lsversion.exe")

# Wine's setting -> what Wine reports (platform, major.minor, build) -> name.
# win98's build number carries 4 and 10 in its high 16 bits: only the low 2222 counts.
# win10 reports 6.2 to a program that does not declare itself compatible with it.
EXPECTED = [
    (None, "Vista"),            # Wine 8's default: NT 6.1
    ("winxp", "Windows XP"),    # NT 5.1
    ("win2k", "Windows 2000"),  # NT 5.0
    ("nt40", "Windows NT 4"),   # NT 4.0
    ("win98", "Windows 98 SE"), # 1, 4.10, 0x040A08AE
    ("vista", "Vista"),         # NT 6.0
    ("win10", "Vista"),         # NT 6.2
]


@require_program
class WindowsVersionName(unittest.TestCase):
    def test_names_follow_the_version_wine_reports(self):
        self.assertTrue(os.path.exists(PROBE), f"{PROBE} is built with lumaseek.exe")
        with harness.WineSession("version") as s:
            for setting, name in EXPECTED:
                with self.subTest(setting=setting or "default"):
                    if setting:
                        s.reg_add("HKCU\\Software\\Wine", "Version", setting)
                    probe = s.wine([PROBE])
                    self.assertEqual(probe.returncode, 0)
                    self.assertEqual(probe.stdout.rstrip("\r\n"), name)


if __name__ == "__main__":
    unittest.main()
