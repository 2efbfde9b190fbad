"""The demo's run: simulated devices and lumaseek.exe under Wine (see scripts/demo).

With a display the program's window stays there until the user closes it.
Without one the demo walks through the program as a user would and keeps one
picture of each step, and an animation of the whole walk, in the folder it names."""

import argparse
import os
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))
import harness  # noqa: E402
from e2e_base import wait_for  # noqa: E402
from resource_ids import ids  # noqa: E402

SEARCH_TAB, IP_SETTINGS_TAB, DRIVE_MAPPING_TAB = 0, 1, 2

DEFAULT_LOGIN = "kemsa"
VAULT = "Heron-Vault"
VAULT_PASSWORD = "heron"
DHCP_POOL = ["198.18.0.200", "198.18.0.201", "198.18.0.202", "198.18.0.203"]
DHCP_ADDRESS = DHCP_POOL[0]  # what the walk's DHCP change gives
PAINT_WAIT_S = 5
FRAME_DELAY_CS = 200  # each picture of the animation stays two seconds


def devices(lab):
    common = {"netmask": lab.netmask(), "gateway": lab.pc_ip(0)}
    return [
        dict(common, name="Kestrel-NAS", ip=lab.dev_ip(0, 0), shares=["Public", "Media", "Backup"]),
        dict(common, name="Osprey-Store", ip=lab.dev_ip(0, 1), shares=["Documents", "Photos"]),
        dict(common, name=VAULT, ip=lab.dev_ip(0, 2), shares=["Archive"], password=VAULT_PASSWORD),
    ]


def describe(lab, sims):
    """What a person needs to try every page by hand."""
    print(f"demo: simulated devices on 198.18.0.0/22 (netmask {lab.netmask()}), the PC is {lab.pc_ip(0)}:")
    for d in sims:
        password = d.get("password", DEFAULT_LOGIN)
        login = ("the program's default login" if password == DEFAULT_LOGIN
                 else "refuses the default: the Login dialog asks")
        print(f"  {d['name']:<13} {d['ip']:<12} shares {', '.join(d['shares']):<24} "
              f"user {DEFAULT_LOGIN}, password {password} ({login})")
    print(f"demo: a DHCP change gives a device the next free address of {DHCP_POOL[0]} to {DHCP_POOL[-1]}; "
          "a static change moves it to the address typed")
    print("demo: \"Map Drive\" ends in \"Failed to map drive.\" here: Wine has no SMB client")


def usable_display():
    """$DISPLAY when a window can be opened there from a namespace: a local X server."""
    display = os.environ.get("DISPLAY", "")
    # a TCP display (ssh forwarding) is out of reach from inside a namespace
    if not display.startswith(":"):
        return None
    ok = subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL).returncode == 0
    return display if ok else None


class DemoError(Exception):
    pass


class Walk:
    """The steps of the headless run: each acts as a user would, checks that the
    program did what it should, and keeps a picture of the window."""

    def __init__(self, session, sims):
        self.s = session
        self.d = session.driver
        self.sims = sims
        self.main = None
        self.pictures = []  # (path, the screen box it is cut to)

    def hwnd(self, ctrl_id):
        # pages reuse ids ("OK" and "Map Drive"): only the shown page counts
        return self.d.control(self.main, ctrl_id, visible_only=True)

    def tab(self, index):
        self.d.call("clicktab", self.d.control(self.main, ids.IDC_PAGE_TAB), index)

    def rows(self, ctrl_id):
        return self.d.call("listview", self.hwnd(ctrl_id))["rows"]

    def picture(self, label, shows):
        """A screenshot, and the part of it that the window and any box over it take."""
        self.d.call("idle", self.main["hwnd"])
        self.wait_painted()
        path = self.s.screenshot(label)
        box = self.main["rect"]
        for w in self.d.call("windows"):
            if w["visible"]:
                r = self.d.call("info", w["hwnd"])["rect"]
                box = [min(box[0], r[0]), min(box[1], r[1]), max(box[2], r[2]), max(box[3], r[3])]
        self.pictures.append((path, box))
        print(f"demo: {os.path.basename(path)}: {shows}", flush=True)

    def wait_painted(self):
        """Waits until two grabs of the screen a moment apart are the same: the
        program answers messages before it paints, and X draws after that."""
        grab = lambda: subprocess.run(["import", "-display", self.s.display, "-window", "root", "rgb:-"],
                                      capture_output=True, check=True).stdout
        previous = grab()
        deadline = time.monotonic() + PAINT_WAIT_S
        while time.monotonic() < deadline:
            time.sleep(0.2)
            current = grab()
            if current == previous:
                return
            previous = current

    def activate(self):
        """Clicks the empty desktop, then the window's caption. Under Xvfb Wine
        paints the first window inactive, and a click on it changes nothing
        until another window has had the activation."""
        x0, y0, x1, _ = self.main["rect"]
        width, height = (int(n) for n in harness.DESKTOP_SIZE.split("x"))
        subprocess.run(["xdotool", "mousemove", str(width - 10), str(height - 10), "click", "1", "sleep", "0.3",
                        "mousemove", str((x0 + x1) // 2), str(y0 + 8), "click", "1"],
                       env=dict(os.environ, DISPLAY=self.s.display), check=True)

    def check(self, ok, what):
        if not ok:
            raise DemoError(f"the program did not show {what}")

    def row_of(self, name):
        return [r[0] for r in self.rows(ids.IDC_DEVICE_LIST)].index(name)

    # -- the steps, in order --

    def search_device(self):
        self.main, seconds = self.s.wait_main_window()
        self.activate()
        names = sorted(d["name"] for d in self.sims)
        self.check(wait_for(lambda: sorted(r[0] for r in self.rows(ids.IDC_DEVICE_LIST)) == names, 10),
                   "every device in the Search Device list")
        self.picture("search-device", f"Search Device page: the {len(names)} devices that answered the "
                                      f"first search ({seconds:.1f} s after the start), with name, IP and netmask")

    def device_picked(self):
        first = self.sims[0]
        self.d.call("clickrow", self.hwnd(ids.IDC_DEVICE_LIST), self.row_of(first["name"]))
        self.picture("device-picked", f"{first['name']} clicked: its row selected; the program has asked it "
                                      "for its shares")

    def ip_settings(self):
        first = self.sims[0]
        self.tab(IP_SETTINGS_TAB)
        info = self.d.call("text", self.hwnd(ids.IDC_IP_INFO))
        self.check(first["ip"] in info, f"{first['name']}'s settings on the IP Settings page")
        self.picture("ip-settings", f"IP Settings page: {first['name']}'s static address {first['ip']}, "
                                    f"netmask and gateway, DHCP Client \"Disabled\", and its summary below")

    def drive_mapping(self):
        first = self.sims[0]
        self.tab(DRIVE_MAPPING_TAB)
        self.check(wait_for(lambda: [r[0] for r in self.rows(ids.IDC_SHARE_LIST)] == first["shares"], 15),
                   f"{first['name']}'s shares on the Drive Mapping page")
        combo = self.hwnd(ids.IDC_DRIVE_COMBO)
        letters = self.d.call("combo", combo)["items"]
        # the keyboard focus of a combo box with an edit field is in that field
        self.d.call("focus", next(c["hwnd"] for c in self.d.children(self.main) if c["parent"] == combo))
        self.d.call("keys", "F4")  # drops the list of free letters down
        self.picture("drive-mapping", f"Drive Mapping page: {first['name']}'s shares "
                                      f"{', '.join(first['shares'])}, none mapped yet, and the drive box "
                                      f"opened on the free letters {letters[0]} to {letters[-1]}")
        self.d.call("keys", "F4")

    def login(self):
        self.tab(SEARCH_TAB)
        self.d.call("clickrow", self.hwnd(ids.IDC_DEVICE_LIST), self.row_of(VAULT))
        self.tab(IP_SETTINGS_TAB)
        self.d.call("focus", self.hwnd(ids.IDC_DHCP_COMBO))
        self.d.call("keys", "DOWN")  # "Enabled": make the device a DHCP client
        self.d.call("button", self.hwnd(ids.IDC_MODIFY))
        dlg = self.d.find("Login", 30000, "#32770")
        fields = {c["id"]: c for c in self.d.children(dlg)}
        user = fields[ids.IDC_USER_NAME]
        self.check(user["text"] == DEFAULT_LOGIN and not user["enabled"], "the locked user name in the Login dialog")
        self.d.call("settext", fields[ids.IDC_PASSWORD]["hwnd"], VAULT_PASSWORD)
        self.picture("login", f"Login dialog: {VAULT} refused the default login, so the program asks for "
                              f"the device's password; the user name \"{DEFAULT_LOGIN}\" is locked")
        self.d.call("press", dlg["hwnd"], "OK")

    def change_done(self):
        box = self.d.msgbox("Confirm", 30000)
        self.check(box["text"] == "Set to dhcp client done!", "the DHCP change's confirmation")
        self.picture("change-done", f"\"{box['text']}\": {VAULT} confirmed the DHCP change from its new address")
        self.d.call("press", box["hwnd"], "OK")
        self.d.call("gone", box["hwnd"], 5000)

    def ip_settings_after(self):
        # the page searches again once the box is closed
        self.check(wait_for(lambda: DHCP_ADDRESS in self.d.call("text", self.hwnd(ids.IDC_IP_INFO)), 15),
                   f"{VAULT}'s new address on the IP Settings page")
        self.picture("ip-settings-after", f"IP Settings page after the change: {VAULT} is a DHCP client "
                                          f"(\"Enabled\") at {DHCP_ADDRESS}, found again by a new search")

    def list_refreshed(self):
        self.tab(SEARCH_TAB)
        self.d.call("button", self.hwnd(ids.IDC_SEARCH_DEVICE))
        listed = lambda: [r[1] for r in self.rows(ids.IDC_DEVICE_LIST) if r[0] == VAULT] == [DHCP_ADDRESS]
        self.check(wait_for(listed, 15), f"{VAULT} at its new address in the Search Device list")
        self.picture("list-refreshed", f"Search Device page after \"Search Device\": {VAULT} listed at "
                                       f"{DHCP_ADDRESS}")

    STEPS = [search_device, device_picked, ip_settings, drive_mapping, login, change_done,
             ip_settings_after, list_refreshed]

    def run(self, steps):
        for step in self.STEPS[:steps]:
            step(self)

    def finish(self, gif):
        """Cuts each picture to its box; the animation shows the part that all boxes cover."""
        if not self.pictures:
            return
        boxes = [b for _, b in self.pictures]
        union = [min(b[0] for b in boxes), min(b[1] for b in boxes),
                 max(b[2] for b in boxes), max(b[3] for b in boxes)]
        subprocess.run(["convert", "-delay", str(FRAME_DELAY_CS), "-loop", "0", *[p for p, _ in self.pictures],
                        "-crop", crop_geometry(union), "+repage", gif], check=True)
        for path, box in self.pictures:
            # without their time stamps, pictures of the same window have the same bytes
            subprocess.run(["mogrify", "-strip", "-crop", crop_geometry(box), "+repage", path], check=True)
        print(f"demo: {os.path.basename(gif)}: the {len(self.pictures)} pictures above, in turn", flush=True)


def crop_geometry(box):
    left, top, right, bottom = box
    return f"{right - left}x{bottom - top}+{left}+{top}"


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--steps", type=int, default=len(Walk.STEPS),
                        help="how many steps of the headless walk to take")
    parser.add_argument("--out", help="folder for the headless run's pictures")
    args = parser.parse_args()

    display = usable_display()
    shots = args.out or os.path.join(REPO, "build", "demo-shots", time.strftime("%Y%m%d-%H%M%S"))
    with harness.WineSession("demo", display=display, shots_dir=shots) as s:
        sims = devices(s.lab)
        s.lab.start_sim(sims, dhcp_pool=DHCP_POOL)
        describe(s.lab, sims)
        s.start_program()
        if display:
            s.wait_main_window()
            print(f"demo: lumaseek.exe on {display}; close its window to end the demo", flush=True)
            while s.program_running():
                time.sleep(1)
        else:
            print(f"demo: no display: walking through the program, pictures in {shots}", flush=True)
            walk = Walk(s, sims)
            try:
                walk.run(args.steps)
            except (DemoError, harness.DriverError) as e:
                sys.exit(f"demo: {e}")
            walk.finish(os.path.join(shots, "walk.gif"))
    print("demo: done")


if __name__ == "__main__":
    main()
