"""The Drive Mapping page under Wine against the simulator: the picked device's
shares, the free drive letters, the messages of both buttons, and mappings made
for real through lsnetprov.dll, a network provider of ours registered in the
session's prefix (Wine's mpr has no SMB client of its own).

lsnetprov connects a letter by defining it in Wine's mount manager as a network
drive on "unc/<server>/<share>", which is what Wine's WNetGetConnection reads
back, and logs every call it gets. Wine's mpr refuses CONNECT_INTERACTIVE
itself, without asking any provider."""

import os
import time
import unittest

import harness
import lab
from e2e_base import require_program
from resource_ids import ids

DRIVE_MAPPING_TAB = 2
PROVIDER = "lsnetprov"
PROVIDER_DLL = harness.win_exe("lsnetprov.dll")
SHARES = ["Public", "Media"]
UNMOUNT_FAILED = ("Unmount Disk Fail!\nPlease checked if you had selected a drive to un-mount,\n"
                  "or any file opened on selected drive that did not close.")
# ERROR_INVALID_PASSWORD, as lsnetprov refuses a wrong password
BAD_PASSWORD = "86"


def windows_path(unix_path):
    return "Z:" + unix_path.replace("/", "\\")


def register_provider(session, password):
    """lsnetprov as the prefix's network provider, logging every call to
    C:\\lsnetprov.log. mpr reads these once, when a program loads it."""
    order = "HKLM\\System\\CurrentControlSet\\Control\\NetworkProvider\\Order"
    service = f"HKLM\\System\\CurrentControlSet\\Services\\{PROVIDER}\\NetworkProvider"
    session.reg_add(order, "ProviderOrder", PROVIDER)
    session.reg_add(service, "Name", "lumaSeek test network")
    session.reg_add(service, "ProviderPath", windows_path(PROVIDER_DLL))
    session.reg_add(service, "LogPath", "C:\\lsnetprov.log")
    if password is not None:
        session.reg_add(service, "Password", password)


def provider_calls(session):
    """The provider's log: one list of tab-separated fields per call."""
    log_path = os.path.join(session.prefix, "drive_c", "lsnetprov.log")
    if not os.path.exists(log_path):
        return []
    with open(log_path, encoding="utf-8") as f:
        return [line.rstrip("\r\n").split("\t") for line in f if line.strip()]


class DrivePage:
    """The program with the provider registered, its device picked and the Drive Mapping tab in front."""

    def __init__(self, session, password=None, wine_version=None):
        self.s = session
        self.d = session.driver
        register_provider(session, password)
        if wine_version:
            self.s.reg_add("HKCU\\Software\\Wine", "Version", wine_version)
        self.ip = lab.Lab.dev_ip(0, 0)
        session.lab.start_sim([{"name": "nas-drives", "ip": self.ip, "netmask": lab.Lab.netmask(),
                                "gateway": lab.Lab.pc_ip(0), "shares": SHARES}])
        session.start_program()
        self.main, _ = session.wait_main_window()
        self.d.call("clickrow", self.d.control(self.main, ids.IDC_DEVICE_LIST), 0)
        self.d.call("clicktab", self.d.control(self.main, ids.IDC_PAGE_TAB), DRIVE_MAPPING_TAB)
        # the click reaches the program as input, after the pick has asked the device for its shares
        deadline = time.monotonic() + 15
        while not self.rows() and time.monotonic() < deadline:
            time.sleep(0.2)
        assert self.rows(), "the picked device's shares never reached the Drive Mapping list"

    def hwnd(self, ctrl_id):
        # the Search Device page's "OK" has the id of "Map Drive": only the shown page counts
        return self.d.control(self.main, ctrl_id, visible_only=True)

    def rows(self):
        return [(r + [""])[:2] for r in self.d.call("listview", self.hwnd(ids.IDC_SHARE_LIST))["rows"]]

    def combo(self):
        return self.d.call("combo", self.hwnd(ids.IDC_DRIVE_COMBO))

    def press(self, ctrl_id):
        self.d.call("button", self.hwnd(ctrl_id))

    def answer_box(self, title, timeout_ms=30000):
        box = self.d.msgbox(title, timeout_ms)
        self.s.screenshot(f"box-{title.lower()}")
        self.d.call("press", box["hwnd"], "OK")
        self.d.call("gone", box["hwnd"], 5000)
        self.d.call("idle", self.main["hwnd"])
        return box["text"]

    def provider_calls(self):
        return provider_calls(self.s)


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
@unittest.skipUnless(os.path.exists(PROVIDER_DLL), "lsnetprov.dll is built with lumaseek.exe")
class DriveMapping(unittest.TestCase):
    def test_shares_letters_and_the_messages_of_both_buttons(self):
        # Wine 8 reports NT 6.1 by default: the page's "Vista" sequence
        with harness.WineSession("drive-mapping") as s:
            page = DrivePage(s, password="secret")
            s.screenshot("drive-page")
            self.assertEqual(page.rows(), [["Public", ""], ["Media", ""]])
            self.assertEqual(page.d.call("text", page.hwnd(ids.IDC_DRIVE_INFO)),
                             f"Name : nas-drives\nIP : {page.ip}  Netmask : {lab.Lab.netmask()}"
                             f"  Gateway : {lab.Lab.pc_ip(0)}")
            combo = page.combo()
            # the prefix has C: and Z: only; A: and B: are never offered
            self.assertEqual(combo["items"], [f"{c}:" for c in "DEFGHIJKLMNOPQRSTUVWXY"])
            self.assertEqual(combo["selected"], 0)

            page.press(ids.IDC_MAP_DRIVE)
            self.assertEqual(page.answer_box("Warning"), "You should select a samba server disk to mount!")
            self.assertEqual(page.provider_calls(), [])

            page.press(ids.IDC_DISCONNECT_DRIVE)  # no row: the drive box's D:, which is not connected
            self.assertEqual(page.answer_box("Error"), UNMOUNT_FAILED)
            self.assertEqual(page.provider_calls(), [["cancel", "D:", "1", "2250"]])

            page.d.call("clickrow", page.hwnd(ids.IDC_SHARE_LIST), 1)
            page.press(ids.IDC_MAP_DRIVE)
            self.assertEqual(page.answer_box("Error", 60000), "Failed to map drive.")
            remote = f"\\\\{page.ip}\\Media"
            self.assertEqual(page.provider_calls()[1:],
                             [["cancel", "D:", "1", "2250"]] + [["add", "D:", remote, "", "", BAD_PASSWORD]] * 6,
                             "six silent attempts; the seventh, interactive, never reaches a provider")
            self.assertEqual(page.rows(), [["Public", ""], ["Media", ""]])

    def test_credentials_from_the_login_dialog_map_the_share_and_disconnect_removes_it(self):
        with harness.WineSession("drive-mapping-xp") as s:
            page = DrivePage(s, password="secret", wine_version="winxp")
            page.d.call("clickrow", page.hwnd(ids.IDC_SHARE_LIST), 0)
            page.press(ids.IDC_MAP_DRIVE)

            dlg = page.d.find("Login", 60000, "#32770")
            fields = {c["id"]: c for c in page.d.children(dlg)}
            self.assertEqual(len(page.provider_calls()), 7, "the dialog comes after six attempts")
            page.d.call("settext", fields[ids.IDC_USER_NAME]["hwnd"], "alice")
            page.d.call("settext", fields[ids.IDC_PASSWORD]["hwnd"], "secret")
            s.screenshot("login")
            page.d.call("press", dlg["hwnd"], "OK")
            self.assertEqual(page.answer_box("Confirm", 60000), "Successfully mapped drive.")

            remote = f"\\\\{page.ip}\\Public"
            calls = page.provider_calls()
            self.assertEqual(calls[0], ["cancel", "D:", "1", "2250"])
            self.assertEqual(calls[1:7], [["add", "D:", remote, "", "", BAD_PASSWORD]] * 6)
            self.assertEqual(calls[7:], [["add", "D:", remote, "alice", "secret", "0"]])

            self.assertEqual(page.rows(), [["Public", "D:"], ["Media", ""]])
            combo = page.combo()
            self.assertEqual(combo["items"][0], f"D: {remote}")
            self.assertEqual(combo["selected"], 1, "E: is now the first free letter")
            s.screenshot("mapped")

            page.d.call("clickrow", page.hwnd(ids.IDC_SHARE_LIST), 0)
            page.press(ids.IDC_DISCONNECT_DRIVE)
            self.assertEqual(page.answer_box("Confirm"), "Unmount Disk OK!")
            self.assertEqual(page.provider_calls()[-1], ["cancel", "D:", "1", "0"])
            self.assertEqual(page.rows(), [["Public", ""], ["Media", ""]])
            self.assertEqual(page.combo()["items"][0], "D:")


if __name__ == "__main__":
    unittest.main()
