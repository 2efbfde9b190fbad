"""Figures of lumaseek.exe itself: its size and DLL imports, the time from its
start to its first window under Wine with one simulated device set against
the first search alone, and the memory of the running program."""

import os
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "e2e"))
import harness  # noqa: E402

OP_SEARCH = 1


def dll_imports(exe):
    out = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], check=True,
                         capture_output=True, text=True).stdout
    return [line.split(":", 1)[1].strip() for line in out.splitlines() if "DLL Name:" in line]


def resident_kb(namespace):
    """VmRSS in kB of each process of the namespace, by its command name."""
    sizes = {}
    pids = subprocess.run(["ip", "netns", "pids", namespace], capture_output=True, text=True).stdout.split()
    for pid in pids:
        try:
            with open(f"/proc/{pid}/status") as f:
                fields = dict(line.split(":", 1) for line in f if ":" in line)
        except OSError:
            continue
        name = fields["Name"].strip()
        if name.startswith("wineserver"):
            name = "wineserver"  # wineserver64 on a 64-bit Wine
        kb = int(fields.get("VmRSS", "0 kB").split()[0])
        sizes[name] = sizes.get(name, 0) + kb
    return sizes


def start_up(timed):
    """Seconds: start to first search request, to window; the search alone
    (`timed` runs the exchange timer's search in the same lab); memory in kB."""
    with harness.WineSession("bench") as s:
        lab = s.lab
        sim = lab.start_sim([{"name": "nas-bench", "ip": lab.dev_ip(0, 0), "netmask": lab.netmask(),
                              "gateway": lab.pc_ip(0)}])
        sim_started = time.monotonic()
        search_alone = timed(lab)
        log_before = len(sim.log())
        s.start_program()
        _, to_window = s.wait_main_window()
        requests = [e for e in sim.log()[log_before:] if e.direction == "RX" and e.opcode == OP_SEARCH]
        # The log counts from the simulator's start; "ready" came a moment after it.
        to_request = sim_started + requests[0].time - s.program_started
        time.sleep(2)  # let the first paint and the shortcuts settle
        memory = resident_kb(s.pc_ns)
    return to_request, to_window, search_alone, memory


def report(timed):
    exe = harness.win_exe("lumaseek.exe")
    size = os.path.getsize(exe)
    print(f"lumaseek.exe: {size} bytes ({size / 1024:.0f} KiB)")
    print("DLL imports: " + ", ".join(dll_imports(exe)))
    to_request, to_window, search_alone, memory = start_up(timed)
    print("Start-up under Wine, one interface, one simulated device:")
    print(f"  start to the first search request  {to_request:.3f} s  (Wine and the program starting)")
    print(f"  start to the main window           {to_window:.3f} s")
    print(f"  first search request to window     {to_window - to_request:.3f} s")
    print(f"  the search alone (native)          {search_alone:.3f} s  (scheduled 0.72-1.04 s)")
    print(f"  window after the search ends       {to_window - to_request - search_alone:.3f} s")
    print("Memory, VmRSS while the window shows:")
    for name in ("lumaseek.exe", "wineserver", "explorer.exe"):
        if name in memory:
            print(f"  {name:<14} {memory[name] / 1024:.1f} MiB")
