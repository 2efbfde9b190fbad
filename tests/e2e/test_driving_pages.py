"""The harness's way through the real pages: a device row clicked the way a user
clicks it, the address controls read back, and a message box read and answered."""

import unittest

import harness
from e2e_base import require_program
from resource_ids import ids

IP_SETTINGS_TAB = 1


@require_program
class DrivingPages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = s = harness.WineSession("driving-pages").__enter__()
        cls.addClassCleanup(s.close)
        cls.devices = [("nas-a", s.lab.dev_ip(0, 0)), ("nas-b", s.lab.dev_ip(0, 1))]
        s.lab.start_sim([{"name": n, "ip": ip, "netmask": s.lab.netmask(), "gateway": s.lab.pc_ip(0)}
                         for n, ip in cls.devices])
        s.start_program()
        cls.main, _ = s.wait_main_window()
        cls.driver = s.driver
        cls.tab = cls.driver.control(cls.main, ids.IDC_PAGE_TAB)

    def setUp(self):
        # a new search forgets the picked device
        self.driver.call("clicktab", self.tab, 0)
        self.driver.call("button", self.driver.control(self.main, ids.IDC_SEARCH_DEVICE))
        self.driver.call("idle", self.main["hwnd"])

    def test_modify_without_a_device_shows_an_error_box_that_ok_closes(self):
        self.driver.call("clicktab", self.tab, IP_SETTINGS_TAB)
        self.driver.call("button", self.driver.control(self.main, ids.IDC_MODIFY))
        box = self.driver.msgbox("Error")
        self.session.screenshot("no-device-box")
        self.assertEqual((box["text"], box["buttons"]), ("You should select a server to modify IP!", ["OK"]))
        self.driver.call("press", box["hwnd"], "OK")
        self.driver.call("gone", box["hwnd"], 3000)
        self.assertTrue(self.driver.call("info", self.main["hwnd"])["visible"])

    def test_a_clicked_row_is_the_device_the_ip_settings_page_shows(self):
        listview = self.driver.control(self.main, ids.IDC_DEVICE_LIST)
        listing = self.driver.call("listview", listview)
        self.assertEqual([c["text"] for c in listing["columns"]], ["Name", "IP", "Netmask", "Gateway"])
        row = [r[0] for r in listing["rows"]].index("nas-b")
        self.driver.call("clickrow", listview, row)
        self.assertEqual(self.driver.call("listview", listview)["selected"], [row])

        self.driver.call("clicktab", self.tab, IP_SETTINGS_TAB)
        ip = self.driver.call("ipaddr", self.driver.control(self.main, ids.IDC_IP_ADDRESS))
        netmask = self.driver.call("ipaddr", self.driver.control(self.main, ids.IDC_NETMASK))
        self.session.screenshot("picked-device")
        self.assertEqual((ip["address"], netmask["address"]), (self.devices[1][1], self.session.lab.netmask()))


if __name__ == "__main__":
    unittest.main()
