"""Address changes from the IP Settings page against the simulator: the device
login with the default credential or the Login dialog, the requests byte for
byte, the device's move, and what the page shows after the new search."""

import os
import struct
import time
import unittest

import harness
import lab
from e2e_base import require_program
from resource_ids import ids

OP_QUERY, OP_CONFIG = 3, 5
QUERY_LOGIN, CONFIG_STATIC, CONFIG_DHCP = 4, 1, 2
IDENTITY = bytes.fromhex("a1a2a3a4a5a6")
NETMASK_TEXT = "255.255.252.0"
GATEWAY_TEXT = "198.18.0.1"
NAME = "nas-ip"


def device(**extra):
    d = {"name": NAME, "ip": lab.Lab.dev_ip(0, 0), "netmask": NETMASK_TEXT, "gateway": GATEWAY_TEXT,
         "identity": IDENTITY.hex()}
    d.update(extra)
    return d


def field16(text):
    return text.encode().ljust(16, b"\0")


def requests(sim, opcode, subcode):
    return [e.data for e in sim.log()
            if e.direction == "RX" and e.opcode == opcode and len(e.data) > 21 and e.data[21] == subcode]


class IpPage:
    """The program with its one device picked and the IP Settings tab in front."""

    def __init__(self, session):
        self.s = session
        self.d = session.driver
        session.start_program()
        self.main, _ = session.wait_main_window()
        self.d.call("clickrow", self.d.control(self.main, ids.IDC_DEVICE_LIST), 0)
        time.sleep(1)  # the pick asks the device for its shares
        self.d.call("clicktab", self.d.control(self.main, ids.IDC_PAGE_TAB), 1)
        self.children = self.d.children(self.main)

    def hwnd(self, ctrl_id):
        return self.d.control(self.main, ctrl_id)

    def enter(self, ctrl_id, dotted):
        """Types an address into the four fields of an address control."""
        ctrl = self.hwnd(ctrl_id)
        edits = sorted((c for c in self.children if c["parent"] == ctrl and c["class"].lower() == "edit"),
                       key=lambda c: c["rect"][0])
        assert len(edits) == 4, edits
        for edit, octet in zip(edits, dotted.split(".")):
            self.d.call("settext", edit["hwnd"], octet)

    def enter_static(self, ip, netmask=NETMASK_TEXT, gateway=GATEWAY_TEXT):
        self.enter(ids.IDC_IP_ADDRESS, ip)
        self.enter(ids.IDC_NETMASK, netmask)
        self.enter(ids.IDC_GATEWAY, gateway)

    def choose_dhcp(self):
        combo = self.hwnd(ids.IDC_DHCP_COMBO)
        self.d.call("focus", combo)
        self.d.call("keys", "DOWN")

    def modify(self):
        self.d.call("button", self.hwnd(ids.IDC_MODIFY))

    def answer_box(self, title, timeout_ms=30000):
        box = self.d.msgbox(title, timeout_ms)
        self.s.screenshot(f"box-{title.lower()}")
        self.d.call("press", box["hwnd"], "OK")
        self.d.call("gone", box["hwnd"], 5000)
        return box["text"]

    def login(self, password):
        """Answers the Login dialog; the user name field as it was shown."""
        dlg = self.d.find("Login", 30000, "#32770")
        fields = {c["id"]: c for c in self.d.children(dlg)}
        self.d.call("settext", fields[ids.IDC_PASSWORD]["hwnd"], password)
        self.s.screenshot("login")
        self.d.call("press", dlg["hwnd"], "OK")
        return fields[ids.IDC_USER_NAME]

    def shown(self, settle_s=3):
        """The page's values once the refresh search has run."""
        time.sleep(settle_s)
        addr = lambda i: self.d.call("ipaddr", self.hwnd(i))["address"]
        combo = self.d.call("combo", self.hwnd(ids.IDC_DHCP_COMBO))
        return {"ip": addr(ids.IDC_IP_ADDRESS), "netmask": addr(ids.IDC_NETMASK), "gateway": addr(ids.IDC_GATEWAY),
                "mode": combo["items"][combo["selected"]], "info": self.d.call("text", self.hwnd(ids.IDC_IP_INFO))}


@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
class IpSettings(unittest.TestCase):
    def test_static_change_with_the_default_credential(self):
        with harness.WineSession("ip-static") as s:
            sim = s.lab.start_sim([device()])
            page = IpPage(s)
            old_ip, new_ip = lab.Lab.dev_ip(0, 0), "198.18.1.50"

            # a fourth octet of 0 is refused before anything is sent
            received = len([e for e in sim.log() if e.direction == "RX"])
            page.enter_static("198.18.1.0")
            page.modify()
            self.assertEqual(page.answer_box("Error"), "Invalid IP address in 4th digit. It should be 1-254.")
            time.sleep(0.5)
            self.assertEqual(len([e for e in sim.log() if e.direction == "RX"]), received)

            page.enter_static(new_ip)
            s.screenshot("typed")
            page.modify()
            self.assertEqual(page.answer_box("Confirm"), "Set to static IP done!")
            shown = page.shown()
            s.screenshot("changed")

            logins = requests(sim, OP_QUERY, QUERY_LOGIN)
            statics = requests(sim, OP_CONFIG, CONFIG_STATIC)
            self.assertEqual(len(logins), 1)
            self.assertEqual(len(statics), 1)
            login, static = logins[0], statics[0]
            client_id = login[1:11]
            identity = IDENTITY + bytes(int(o) for o in old_ip.split("."))
            self.assertEqual(login, bytes([OP_QUERY]) + client_id + identity + bytes([QUERY_LOGIN, 0, 0])
                             + struct.pack("<I", 12) + b"kemsa\x55\xaakemsa")
            self.assertEqual(static, bytes([OP_CONFIG]) + client_id + identity + bytes([CONFIG_STATIC, 0, 0])
                             + field16(NETMASK_TEXT) + field16(GATEWAY_TEXT)
                             + struct.pack("<I", len(new_ip)) + new_ip.encode())
            rx = [e for e in sim.log() if e.direction == "RX" and e.opcode in (OP_QUERY, OP_CONFIG)]
            self.assertLess(rx.index(next(e for e in rx if e.data == login)),
                            rx.index(next(e for e in rx if e.data == static)))
            self.assertTrue(any(e.direction == "TX" and e.src == new_ip for e in sim.log()),
                            "the device answers from its new address")
            self.assertEqual(shown["ip"], new_ip)
            self.assertEqual(shown["netmask"], NETMASK_TEXT)
            self.assertEqual(shown["gateway"], GATEWAY_TEXT)
            self.assertEqual(shown["mode"], "Disabled")
            self.assertEqual(shown["info"], f"Name : {NAME}\nIP : {new_ip}  Netmask : {NETMASK_TEXT}"
                                            f"  Gateway : {GATEWAY_TEXT}")

    def test_login_dialog_when_the_default_credential_is_refused(self):
        with harness.WineSession("ip-login") as s:
            sim = s.lab.start_sim([device(password="secret")], dhcp_pool=["198.18.0.200"])
            page = IpPage(s)

            page.enter_static("198.18.1.60")
            page.modify()
            user = page.login("secret")
            self.assertEqual(user["text"], "kemsa")
            self.assertFalse(user["enabled"])
            self.assertEqual(page.answer_box("Confirm"), "Set to static IP done!")
            self.assertEqual(page.shown()["ip"], "198.18.1.60")
            credentials = [r[28:] for r in requests(sim, OP_QUERY, QUERY_LOGIN)]
            self.assertEqual(credentials, [b"kemsa\x55\xaakemsa", b"kemsa\x55\xaasecret"])

            page.choose_dhcp()
            page.modify()
            page.login("wrong")
            self.assertEqual(page.answer_box("Error"), "Wrong administrator password input!")
            self.assertEqual(requests(sim, OP_CONFIG, CONFIG_DHCP), [])

            page.modify()
            page.login("secret")
            self.assertEqual(page.answer_box("Confirm"), "Set to dhcp client done!")
            shown = page.shown()
            s.screenshot("dhcp")
            self.assertEqual(len(requests(sim, OP_CONFIG, CONFIG_DHCP)), 1)
            self.assertEqual(shown["ip"], "198.18.0.200")
            self.assertEqual(shown["mode"], "Enabled")


if __name__ == "__main__":
    unittest.main()
