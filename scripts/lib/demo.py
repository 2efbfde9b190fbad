"""The demo's run: simulated devices and lumaseek.exe under Wine (see scripts/demo)."""

import argparse
import os
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))
import harness  # noqa: E402

SHOT_INTERVAL_S = 3


def devices(lab):
    return [
        {"name": "Kestrel-NAS", "ip": lab.dev_ip(0, 0), "netmask": lab.netmask(), "gateway": lab.pc_ip(0),
         "shares": ["Public", "Media", "Backup"]},
        {"name": "Osprey-Store", "ip": lab.dev_ip(0, 1), "netmask": lab.netmask(), "gateway": lab.pc_ip(0),
         "shares": ["Documents", "Photos"]},
        {"name": "Heron-Vault", "ip": lab.dev_ip(0, 2), "netmask": lab.netmask(), "gateway": lab.pc_ip(0),
         "dhcp": True, "shares": ["Archive"]},
    ]


def usable_display():
    """$DISPLAY when a window can be opened there from a namespace: a local X server."""
    display = os.environ.get("DISPLAY", "")
    # a TCP display (ssh forwarding) is out of reach from inside a namespace
    if not display.startswith(":"):
        return None
    ok = subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL).returncode == 0
    return display if ok else None


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--seconds", type=int, default=60, help="length of a headless run")
    args = parser.parse_args()

    display = usable_display()
    shots = os.path.join(REPO, "build", "demo-shots", time.strftime("%Y%m%d-%H%M%S"))
    with harness.WineSession("demo", display=display, shots_dir=shots) as s:
        sims = devices(s.lab)
        s.lab.start_sim(sims)
        print(f"demo: {len(sims)} simulated devices on {s.lab.lan_ns(0)}:",
              ", ".join(f"{d['name']} {d['ip']}" for d in sims))
        s.start_program()
        deadline = time.monotonic() + 60
        while not s.program_running():
            if time.monotonic() > deadline:
                sys.exit("demo: lumaseek.exe did not start")
            time.sleep(0.2)
        if display:
            print(f"demo: lumaseek.exe on {display}; close its window to end the demo")
            while s.program_running():
                time.sleep(1)
        else:
            print(f"demo: no display; running headless for {args.seconds} s, screenshots in {shots}")
            deadline = time.monotonic() + args.seconds
            while time.monotonic() < deadline and s.program_running():
                time.sleep(SHOT_INTERVAL_S)
                print("demo: screenshot", s.screenshot("demo"), flush=True)
    print("demo: done")


if __name__ == "__main__":
    main()
