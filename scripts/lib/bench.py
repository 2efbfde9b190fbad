"""Times the protocol exchanges over real sockets in private namespaces and
prints each against its schedule: wall time, measured/scheduled ratio and the
CPU time spent while waiting (the waits must sleep, not spin); the command
line's search of every interface at once beside the window's, and its
commands under a stream of datagrams beside their quiet times. Then the
figures of lumaseek.exe: size, imports, start-up and memory under Wine."""

import json
import resource
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "support"))
from lab import Lab, binary  # noqa: E402
import bench_program  # noqa: E402

OP_SEARCH, OP_QUERY = 1, 3

# (low, high) seconds of each exchange's poll-and-pause schedule.
SEARCH_PER_INTERFACE = (0.72, 1.04)
LOGIN_TIMEOUT = (1.11, 1.11)      # 11 polls of 10 ms, 10 pauses of 100 ms
SHARES_TIMEOUT = (2.32, 2.32)     # 11 draining polls, 21 polls, 20 pauses
CONFIG_TIMEOUT = (11.01, 11.01)   # 101 polls, 100 pauses


def timed(lab, *args):
    """wall, cpu, result, listed, interfaces of one exchange in the PC namespace."""
    out = lab.run_pc([binary("lumaseek-exchange-timer"), *args], timeout=120)
    if out.returncode != 0:
        raise RuntimeError(f"exchange timer failed: {out.stderr}")
    _, wall, cpu, result, listed, interfaces = out.stdout.split()
    return float(wall), float(cpu), int(result), int(listed), int(interfaces)


def timed_login_under_flood(lab, sim, device_ip, flood):
    """wall, cpu and result of a login whose wait `flood` floods from its start."""
    timer = lab.popen_pc([binary("lumaseek-exchange-timer"), "login", device_ip],
                         stdout=subprocess.PIPE, text=True)
    flood.start_on(sim, OP_QUERY)
    out, _ = timer.communicate(timeout=120)
    if timer.returncode != 0:
        raise RuntimeError("exchange timer failed under the flood")
    _, wall, cpu, result, _, _ = out.split()
    return float(wall), float(cpu), int(result)


def timed_cli(lab, *args):
    """wall and cpu seconds, exit status and stdout of one lumaseek-cli run in the PC namespace."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    out = lab.run_pc([binary("lumaseek-cli"), *args], timeout=120, stdin=subprocess.DEVNULL)
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
    return wall, cpu, out.returncode, out.stdout


def every_interface_rows():
    """The command line's search of every interface at once beside the
    window's, one interface after another, on 1, 2 and 8 interfaces, one
    device on each: (interfaces, window s, listed, cli s, cpu s, listed)."""
    found = []
    for links in (1, 2, 8):
        with Lab(links=links) as lab:
            for k in range(links):
                lab.start_sim([{"name": f"nas-{k}", "ip": lab.dev_ip(k, 0), "netmask": lab.netmask()}], link=k)
            window, _, window_listed, _, _ = timed(lab, "search")
            wall, cpu, _, out = timed_cli(lab, "search", "--json")
            found.append((links, window, window_listed, wall, cpu, len(json.loads(out))))
    return found


def streamed_rows():
    """search --all and a login that gets no answer, on a quiet link and under
    a stream of 8-byte datagrams every 2 ms at port 13579: (what, quiet s,
    streamed s, streamed cpu s, same result)."""
    found = []
    with Lab(links=2) as lab:
        lab.start_sim([{"name": "answering", "ip": lab.dev_ip(0, 0), "netmask": lab.netmask()},
                       {"name": "mute", "ip": lab.dev_ip(0, 1), "netmask": lab.netmask(), "drop": ["login"]}])
        lab.start_sim([{"name": "far", "ip": lab.dev_ip(1, 0), "netmask": lab.netmask()}], link=1)
        commands = (("search --all", ["search", "--all"]), ("login, no answer", ["login", lab.dev_ip(0, 1)]))
        quiet = {what: timed_cli(lab, *args) for what, args in commands}
        flood = lab.flood(0, bytes([0x63]) + bytes(7), every=0.002, seconds=30)
        flood.start()
        try:
            for what, args in commands:
                wall, cpu, code, out = timed_cli(lab, *args)
                found.append((what, quiet[what][0], wall, cpu, (code, out) == quiet[what][2:]))
        finally:
            flood.stop()
    return found


def print_every_interface(searches, streamed):
    print("Every interface at once: lumaseek-cli search (the whole process) beside the window's search")
    print("(the engine's exchange alone, one interface after another), one device on each interface.")
    one_window, one_cli = searches[0][1], searches[0][3]
    head = ("Interfaces", "Window s", "Window / 1", "Listed", "CLI s", "CLI / 1", "CLI CPU ms", "Listed")
    rows = [(str(n), f"{w:.3f}", f"{w / one_window:.2f}", str(wl), f"{c:.3f}", f"{c / one_cli:.2f}",
             f"{cpu * 1000:.1f}", str(cl)) for n, w, wl, c, cpu, cl in searches]
    print_rows(head, rows)
    print("Under a stream of 8-byte datagrams every 2 ms at port 13579 (lumaseek-cli, the whole process):")
    head = ("Command", "Quiet s", "Streamed s", "Ratio", "CPU ms", "Same result")
    rows = [(what, f"{q:.3f}", f"{s:.3f}", f"{s / q:.2f}", f"{cpu * 1000:.1f}", "yes" if same else "NO")
            for what, q, s, cpu, same in streamed]
    print_rows(head, rows)


def print_rows(head, rows):
    widths = [max(len(str(r[c])) for r in rows + [head]) for c in range(len(head))]
    for r in [head] + rows:
        print("  ".join(str(cell).ljust(w) for cell, w in zip(r, widths)).rstrip())


def row(rows, what, schedule, wall, cpu, note):
    low, high = schedule
    scheduled = f"{low:.2f}-{high:.2f}" if low != high else f"{high:.2f}"
    rows.append((what, scheduled, f"{wall:.3f}", f"{wall / high:.2f}", f"{cpu * 1000:.1f}",
                 f"{100 * cpu / wall:.1f}", note))


def print_table(rows):
    print_rows(("Exchange", "Scheduled s", "Measured s", "Ratio", "CPU ms", "CPU %", "Result"), rows)
    print("Ratio: measured / upper end of the schedule. CPU: user + system time of the whole exchange.")


def main():
    rows = []
    with Lab(links=2) as lab:
        answering, mute = lab.dev_ip(0, 0), lab.dev_ip(0, 1)
        mute_sim = lab.start_sim([
            {"name": "answering", "ip": answering, "netmask": lab.netmask()},
            {"name": "mute", "ip": mute, "netmask": lab.netmask(),
             "drop": ["login", "shares", "dhcp", "static"]},
        ], link=0)
        lab.start_sim([{"name": "far", "ip": lab.dev_ip(1, 0), "netmask": lab.netmask()}], link=1)
        wall, cpu, result, _, interfaces = timed(lab, "search")
        per = (SEARCH_PER_INTERFACE[0] * interfaces, SEARCH_PER_INTERFACE[1] * interfaces)
        row(rows, f"search, {interfaces} interfaces", per, wall, cpu, f"{result} devices")
        wall, cpu, result, _, _ = timed(lab, "login", answering)
        row(rows, "login, answered", LOGIN_TIMEOUT, wall, cpu, "accepted" if result else "refused")
        wall, cpu, result, _, _ = timed(lab, "login", mute)
        row(rows, "login, no answer", LOGIN_TIMEOUT, wall, cpu, "time-out" if not result else "answered?")
        wall, cpu, result, _, _ = timed(lab, "shares", mute)
        row(rows, "share query, no answer", SHARES_TIMEOUT, wall, cpu, "time-out" if not result else "answered?")
        flood = lab.flood(0, bytes([OP_SEARCH]) + bytes(7), every=0.002, seconds=15)
        wall, cpu, result = timed_login_under_flood(lab, mute_sim, mute, flood)
        note = "time-out" if not result else "answered?"
        if not flood.running():
            note += ", flood over first"
        flood.stop()
        row(rows, f"login, no answer, flood of 8 B every 2 ms for {flood.seconds:.0f} s",
            LOGIN_TIMEOUT, wall, cpu, note)
        wall, cpu, result, _, _ = timed(lab, "dhcp", mute)
        row(rows, "configuration, no answer", CONFIG_TIMEOUT, wall, cpu,
            "time-out" if not result else "answered?")
    with Lab(links=1) as lab:
        many = [{"name": f"nas{n:04d}", "ip": lab.dev_ip(0, n), "netmask": lab.netmask()} for n in range(1000)]
        lab.start_sim(many, ready_timeout=120)
        wall, cpu, result, _, _ = timed(lab, "search")
        row(rows, "search, 1 interface, 1000 devices", SEARCH_PER_INTERFACE, wall, cpu,
            f"{result} listed (32 reads at most)")
    print_table(rows)
    print()
    print_every_interface(every_interface_rows(), streamed_rows())
    print()
    bench_program.report(lambda lab: timed(lab, "search")[0])


if __name__ == "__main__":
    main()
