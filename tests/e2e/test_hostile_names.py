"""Devices that rename themselves between two searches to names that point out
of the desktop folder, and names in a double-byte code page: the names are
listed, but no shortcut file appears anywhere except directly inside the
desktop folder."""

import os
import time
import unittest

import harness
import lab
from e2e_base import require_program, wait_for
from resource_ids import ids

OP_SEARCH = 1
SJIS_SO = b"\x83\x5c"  # ソ in Shift-JIS


def files_named(root, marker):
    found = []
    for folder, _, names in os.walk(root):
        found += [os.path.join(folder, n) for n in names if marker in n]
    return found


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
class RenamedToTraversal(unittest.TestCase):
    def test_no_shortcut_leaves_the_desktop_folder(self):
        marker = f"lsk-escape-{os.getpid()}"
        hostile = [
            f"..\\..\\..\\..\\{marker}-up",
            f"../../{marker}-slash",
            f"C:\\{marker}-drive",
            f"Z:\\tmp\\{marker}-host",
            f"\\\\?\\C:\\{marker}-long",
            f"{marker}-stream:data",
            f"..\\{marker}-trailing\\",
            "..",  # ".lnk" follows: "...lnk", a plain file in the desktop folder
        ]
        with harness.WineSession("hostile-names") as s:
            ips = [s.lab.dev_ip(0, n) for n in range(len(hostile) + 1)]

            def devices(names):
                return [{"name": n, "ip": ip, "netmask": s.lab.netmask(), "gateway": s.lab.pc_ip(0)}
                        for n, ip in zip(names, ips)]

            first = [f"nas-r{n}" for n in range(len(hostile))] + ["nas-kept"]
            sim = s.lab.start_sim(devices(first))
            s.start_program()
            main, _ = s.wait_main_window()
            driver = s.driver
            list_view = driver.control(main, ids.IDC_DEVICE_LIST)
            users = os.path.join(s.prefix, "drive_c", "users")

            def desktop_links():
                return sorted(files_named(users, ".lnk"))

            self.assertTrue(wait_for(lambda: len(desktop_links()) == len(first)), desktop_links())
            desktop = os.path.dirname(desktop_links()[0])

            # The same devices, same addresses and identities, under new names.
            sim.stop()
            second = hostile + ["nas-renamed"]
            sim = s.lab.start_sim(devices(second))
            driver.call("button", driver.control(main, ids.IDC_SEARCH_DEVICE))
            listed = wait_for(lambda: sorted(r[0] for r in driver.call("listview", list_view)["rows"])
                              == sorted(second))
            self.assertTrue(listed, driver.call("listview", list_view)["rows"])
            # Shown again: a paint rewrites the shortcuts once more.
            tabs = driver.control(main, ids.IDC_PAGE_TAB)
            driver.call("clicktab", tabs, 1)
            driver.call("clicktab", tabs, 0)
            self.assertTrue(wait_for(lambda: os.path.exists(os.path.join(desktop, "nas-renamed.lnk"))),
                            "the second search writes the shortcuts of plain names")
            s.screenshot("renamed")
            time.sleep(1)

            escaped = files_named(s.prefix, marker) + files_named("/tmp", marker)
            escaped += [p for p in (os.path.join("/", n) for n in os.listdir("/")) if marker in p]
            self.assertEqual([], escaped)
            self.assertEqual(sorted(os.path.join(desktop, f"{n}.lnk") for n in first + ["nas-renamed", ".."]),
                             desktop_links(), "links only directly inside the desktop folder")


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
class JapaneseCodePage(unittest.TestCase):
    """Device names in a double-byte code page: under a Japanese locale (code page
    932) the second byte of ソ is 0x5C, a backslash's byte. Such a name gets its
    shortcut; a name with a real backslash still gets none, and nothing is
    written outside the desktop folder."""

    def test_double_byte_names_get_exactly_their_shortcut(self):
        marker = f"lsk-sjis-{os.getpid()}".encode()
        named = {  # the name's bytes on the wire: the shortcut it gets, if any
            b"nas" + SJIS_SO + b"-" + marker: f"nasソ-{marker.decode()}.lnk",
            b"nas" + SJIS_SO + b"-" + marker + b"-dot.": f"nasソ-{marker.decode()}-dot..lnk",
            SJIS_SO + b"..\\..\\" + marker + b"-up": None,
            b"..\\" + marker + SJIS_SO: None,
        }
        with harness.WineSession("japanese-names", locale="ja_JP.UTF-8") as s:
            ips = [s.lab.dev_ip(0, n) for n in range(len(named))]
            s.lab.start_sim([{"name": f"sjis{n}", "name_hex": wire.hex(), "ip": ip,
                              "netmask": s.lab.netmask(), "gateway": s.lab.pc_ip(0)}
                             for n, (wire, ip) in enumerate(zip(named, ips))])
            s.start_program()
            main, _ = s.wait_main_window()
            device_list = s.driver.control(main, ids.IDC_DEVICE_LIST)
            rows = wait_for(lambda: len(s.driver.call("listview", device_list)["rows"]) == len(named))
            self.assertTrue(rows, "every device is listed")
            users = os.path.join(s.prefix, "drive_c", "users")
            expected = sorted(n for n in named.values() if n)
            links = wait_for(lambda: len(files_named(users, ".lnk")) >= len(expected)
                             and files_named(users, ".lnk"))
            s.screenshot("listed")
            self.assertEqual(expected, sorted(os.path.basename(p) for p in links))
            self.assertEqual({"desktop"}, {os.path.basename(os.path.dirname(p)).lower() for p in links})
            for path in links:
                ip = ips[list(named.values()).index(os.path.basename(path))]
                with open(path, "rb") as f:
                    data = f.read()
                target = ("\\\\" + ip).encode()
                self.assertTrue(target in data or target.decode().encode("utf-16-le") in data, path)

            # Wine adds a menu entry (.desktop) beside each link; nothing goes elsewhere.
            desktop = os.path.dirname(links[0])
            # (the checkout, and so the prefix, may itself lie below /tmp)
            found = set(files_named(s.prefix, marker.decode()) + files_named("/tmp", marker.decode()))
            found |= {p for p in (os.path.join("/", n) for n in os.listdir("/")) if marker.decode() in p}
            self.assertEqual([], sorted(p for p in found if os.path.dirname(p) != desktop))


if __name__ == "__main__":
    unittest.main()
