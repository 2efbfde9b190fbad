"""The main window under Wine: caption, frame, tabs and pages, and the ways it closes."""

import unittest

import harness
from e2e_base import TAB_TITLES, require_program
from resource_ids import ids

# a control that only that page holds: device list, DHCP choice, share list
PAGE_MARKERS = [ids.IDC_DEVICE_LIST, ids.IDC_DHCP_COMBO, ids.IDC_SHARE_LIST]
PAGE_ORIGIN = (4, 28)


def pages(driver, main):
    """The three page windows in tab order, each as its child-list entry."""
    controls = driver.children(main)
    tab = next(c for c in controls if c["id"] == ids.IDC_PAGE_TAB)
    found = []
    for marker in PAGE_MARKERS:
        owner = next(c["parent"] for c in controls if c["id"] == marker)
        found.append(next(c for c in controls if c["hwnd"] == owner and c["parent"] == tab["hwnd"]))
    return tab, found


def visible_pages(driver, main):
    _, all_pages = pages(driver, main)
    return [i for i, p in enumerate(all_pages) if p["visible"]]


@require_program
class MainWindowLook(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = harness.WineSession("main-window").__enter__()
        cls.addClassCleanup(cls.session.close)
        cls.session.start_program()
        cls.main, _ = cls.session.wait_main_window()
        cls.driver = cls.session.driver
        cls.tab = cls.driver.control(cls.main, ids.IDC_PAGE_TAB)

    def test_caption_and_frame(self):
        info = self.driver.call("info", self.main["hwnd"])
        self.assertEqual(info["title"], "lumaSeek (v1.0)   ")
        self.assertEqual(info["class"], "#32770")
        self.assertTrue(info["caption"] and info["sysmenu"])
        self.assertFalse(info["minimizebox"], "no minimise box")
        self.assertFalse(info["maximizebox"], "no maximise box")
        self.assertFalse(info["thickframe"], "the size is fixed")
        self.assertTrue(info["appwindow"])

    def test_tabs_in_order_and_first_page_alone_on_start(self):
        tabs = self.driver.call("tabs", self.tab)
        self.assertEqual(tabs["items"], TAB_TITLES)
        self.assertEqual(tabs["selected"], 0)
        self.assertEqual(visible_pages(self.driver, self.main), [0])
        self.session.screenshot("start")

    def test_pages_sit_at_the_page_origin_of_the_tab_control(self):
        tab, all_pages = pages(self.driver, self.main)
        for page in all_pages:
            self.assertEqual((page["rect"][0] - tab["rect"][0], page["rect"][1] - tab["rect"][1]), PAGE_ORIGIN)

    def test_clicking_tabs_shows_one_page_at_a_time(self):
        for index in [2, 1, 0, 2, 2, 0]:
            with self.subTest(tab=index):
                self.driver.call("clicktab", self.tab, index)
                self.assertEqual(self.driver.call("tabs", self.tab)["selected"], index)
                self.assertEqual(visible_pages(self.driver, self.main), [index])
                self.session.screenshot(f"tab{index}")


@require_program
class MainWindowCloses(unittest.TestCase):
    def close_with(self, keys, focus_tab_strip=True):
        with harness.WineSession("close") as s:
            s.start_program()
            main, _ = s.wait_main_window()
            if focus_tab_strip:
                tab = s.driver.control(main, ids.IDC_PAGE_TAB)
                # a click on a tab gives the tab strip the keyboard focus
                s.driver.call("clicktab", tab, 1)
                focus = s.driver.call("info", main["hwnd"])["focus"]
                self.assertEqual(focus["id"], ids.IDC_PAGE_TAB)
            s.driver.call("keys", keys)
            s.driver.call("gone", main["hwnd"], 5000)
            self.assertTrue(s.wait_program_end(10), "the program ends with its window")

    def test_enter_on_tab_strip_ends_the_program(self):
        self.close_with("RETURN")

    def test_escape_on_tab_strip_ends_the_program(self):
        self.close_with("ESCAPE")

    def test_alt_f4_ends_the_program(self):
        self.close_with("ALT+F4", focus_tab_strip=False)


if __name__ == "__main__":
    unittest.main()
