"""The Search Device page under Wine against the simulator: the listed devices,
the shortcut setting in the registry, one desktop shortcut per device (and
none for a name that would leave the desktop folder), a click that asks the
device for its shares, "Configure" without a selection, and "OK"."""

import os
import struct
import time
import unittest

import harness
import lab
from e2e_base import require_program, wait_for
from resource_ids import ids

OP_QUERY = 3
SHARE_QUERY_SIZE = 28
SETTING_KEY = r"HKCU\Software\Korvax Veltra Search\Shortcut"
HOSTILE_NAME = "..\\..\\evil"

LINK_HEADER_SIZE = 0x4C
HAS_ICON_LOCATION = 0x40


def files_under(root, suffix):
    found = []
    for folder, _, names in os.walk(root):
        found += [os.path.join(folder, n) for n in names if n.lower().endswith(suffix)]
    return found


def mentions(data, text):
    """True when the link's bytes hold text in the ANSI or the UTF-16 form."""
    return text.encode("latin-1") in data or text.encode("utf-16-le") in data


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
class SearchPage(unittest.TestCase):
    def stored_setting(self, s):
        out = s.wine(["reg", "query", SETTING_KEY, "/ve"]).stdout
        for line in out.splitlines():
            if "REG_SZ" in line:
                return line.split("REG_SZ", 1)[1].strip()
        return None

    def test_devices_shortcuts_click_configure_and_ok(self):
        with harness.WineSession("search-page") as s:
            devices = [("nas-a", s.lab.dev_ip(0, 0)), ("nas-b", s.lab.dev_ip(0, 1)),
                       (HOSTILE_NAME, s.lab.dev_ip(0, 2))]
            sim = s.lab.start_sim([{"name": n, "ip": ip, "netmask": s.lab.netmask(), "gateway": s.lab.pc_ip(0),
                                    "shares": ["Public", "Media"]} for n, ip in devices])
            s.start_program()
            main, _ = s.wait_main_window()
            driver = s.driver
            list_view = driver.control(main, ids.IDC_DEVICE_LIST)

            rows = driver.call("listview", list_view)["rows"]
            self.assertEqual(sorted(rows), sorted([[n, ip, s.lab.netmask(), s.lab.pc_ip(0)] for n, ip in devices]))
            self.assertEqual(self.stored_setting(s), "1")
            self.assertEqual(driver.call("check", driver.control(main, ids.IDC_CREATE_SHORTCUT)), 1)

            # the first paint writes them: the search at start-up ran before COM
            users = os.path.join(s.prefix, "drive_c", "users")
            links = wait_for(lambda: len(files_under(users, ".lnk")) >= 2 and files_under(users, ".lnk"))
            self.assertEqual(sorted(os.path.basename(p) for p in links), ["nas-a.lnk", "nas-b.lnk"])
            s.screenshot("devices-listed")
            for path in links:
                folder = os.path.dirname(path)
                self.assertEqual(os.path.basename(folder).lower(), "desktop")
                address = dict(devices)[os.path.basename(path)[:-4]]
                with open(path, "rb") as f:
                    data = f.read()
                self.assertEqual(data[:4], struct.pack("<I", LINK_HEADER_SIZE))
                flags, = struct.unpack_from("<I", data, 0x14)
                icon_index, = struct.unpack_from("<i", data, 0x38)
                self.assertTrue(flags & HAS_ICON_LOCATION)
                self.assertEqual(icon_index, 1, "the program's second icon")
                self.assertTrue(mentions(data, "\\\\" + address) or mentions(data, address), path)
                self.assertTrue(mentions(data, "lumaseek.exe"), "icon taken from the program itself")
            # the traversal name wrote nothing, in the desktop or anywhere above it
            everything = files_under(s.prefix, "")
            self.assertFalse([p for p in everything if "evil" in os.path.basename(p).lower()])

            driver.call("button", driver.control(main, ids.IDC_CONFIGURE))
            box = driver.msgbox("Warning")
            self.assertEqual(box["text"], "You should select a sever to connect.")
            driver.call("press", box["hwnd"], "OK")
            driver.call("gone", box["hwnd"], 5000)

            queries_before = len([e for e in sim.log() if e.direction == "RX" and e.opcode == OP_QUERY])
            names = [r[0] for r in driver.call("listview", list_view)["rows"]]
            driver.call("clickrow", list_view, names.index("nas-b"))
            share_queries = wait_for(lambda: [e for e in sim.log() if e.direction == "RX"
                                              and e.opcode == OP_QUERY][queries_before:], timeout_s=10)
            self.assertTrue(share_queries, "a click asks the device for its shares")
            self.assertEqual(len(share_queries[0].data), SHARE_QUERY_SIZE)

            driver.call("button", driver.control(main, ids.IDC_CREATE_SHORTCUT))
            self.assertTrue(wait_for(lambda: self.stored_setting(s) == "0", timeout_s=10))
            before = {p: os.path.getmtime(p) for p in links}
            tabs = driver.control(main, ids.IDC_PAGE_TAB)
            driver.call("clicktab", tabs, 1)
            driver.call("clicktab", tabs, 0)  # shown again: a paint that writes nothing now
            time.sleep(1)
            self.assertEqual(sorted(files_under(users, ".lnk")), sorted(links), "unchecking removes nothing")
            self.assertEqual({p: os.path.getmtime(p) for p in links}, before)
            self.assertEqual(self.stored_setting(s), "0")

            driver.call("button", driver.control(main, ids.IDC_SEARCH_OK))
            self.assertTrue(s.wait_program_end(15), "OK closes the program")


if __name__ == "__main__":
    unittest.main()
