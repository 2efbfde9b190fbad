"""Private test networks for process-level tests: a PC namespace with one
interface per link, each link leading to its own LAN namespace where simulated
devices run. Every datagram stays inside the namespaces made here, and the
namespaces are removed again when the Lab ends (even after a failure).

    with Lab(links=2) as lab:
        sim = lab.start_sim([{"name": "nas1", "ip": lab.dev_ip(0, 0)}], link=0)
        out = lab.run_pc([cli, "search", "--json"])
        rx = [e for e in sim.log() if e.direction == "RX"]
"""

import itertools
import json
import os
import select
import shutil
import signal
import socket
import subprocess
import tempfile
import time
from dataclasses import dataclass
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
NETNS_SH = REPO / "scripts" / "lib" / "netns.sh"


def bin_dir() -> Path:
    """Where the built programs are: $LUMASEEK_BIN_DIR, else build/native/bin."""
    return Path(os.environ.get("LUMASEEK_BIN_DIR", REPO / "build" / "native" / "bin"))


def binary(name: str) -> str:
    return str(bin_dir() / name)


def available() -> bool:
    """Namespaces need root and iproute2."""
    return os.geteuid() == 0 and shutil.which("ip") is not None


def _netns(script: str) -> None:
    subprocess.run(["bash", "-c", f"source '{NETNS_SH}'; {script}"], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=60)


@dataclass
class LogEntry:
    """One datagram line of the simulator's log."""
    time: float
    direction: str      # "RX" or "TX"
    src: str            # address of the sender
    sport: int
    dst: str
    dport: int
    device: str         # configured name of the device, "-" for a received datagram
    data: bytes

    @property
    def opcode(self) -> int:
        return self.data[0] if self.data else -1


def parse_log_line(line: str):
    """A LogEntry for a datagram line; None for a note ("#") or any other line."""
    line = line.rstrip("\n")
    if not line[:1].isdigit():
        return None
    t, direction, src, dst, hexdata, device = line.split(" ", 5)
    sip, sport = src.rsplit(":", 1)
    dip, dport = dst.rsplit(":", 1)
    data = b"" if hexdata == "-" else bytes.fromhex(hexdata)
    return LogEntry(float(t), direction, sip, int(sport), dip, int(dport), device, data)


class Sim:
    """A running lumaseek-sim in a LAN namespace."""

    def __init__(self, proc: subprocess.Popen, log_path: Path, config_path: Path):
        self.proc = proc
        self.log_path = log_path
        self.config_path = config_path

    def log(self) -> list:
        if not self.log_path.exists():
            return []
        with open(self.log_path, encoding="ascii") as f:
            entries = (parse_log_line(line) for line in f)
            return [e for e in entries if e is not None]

    def notes(self) -> list:
        """The "#" lines of the log (address moves, ignored requests), without the "# "."""
        if not self.log_path.exists():
            return []
        with open(self.log_path, encoding="ascii") as f:
            return [line[2:].rstrip("\n") for line in f if line.startswith("#")]

    def stop(self) -> int:
        """Stops the simulator with SIGTERM; returns its exit status."""
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        for stream in (self.proc.stdout, self.proc.stderr):
            if stream:
                stream.close()
        return self.proc.returncode


# A second host's stream of datagrams: waits for a line on stdin, then sends
# DATAGRAM (hex) to TO:13579 from FROM every EVERY seconds for SECONDS, and
# prints how many it sent.
_FLOOD = """
import socket, sys, time
src, to, every, seconds, data = sys.argv[1:6]
every, seconds, data = float(every), float(seconds), bytes.fromhex(data)
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind((src, 0))
sys.stdin.readline()
start = time.monotonic()
sent = 0
while sent * every < seconds:
    s.sendto(data, (to, 13579))
    sent += 1
    time.sleep(max(0.0, start + sent * every - time.monotonic()))
print(sent, flush=True)
"""


class Flood:
    """A flooding host on one link, started and stopped by its owner."""

    def __init__(self, proc: subprocess.Popen, seconds: float):
        self.proc = proc
        self.seconds = seconds
        self.started = None

    def start(self) -> None:
        self.started = time.monotonic()
        self.proc.stdin.write("go\n")
        self.proc.stdin.flush()

    def start_on(self, sim: "Sim", opcode: int, timeout: float = 30) -> None:
        """Starts as soon as `sim` has received a request of `opcode`."""
        deadline = time.monotonic() + timeout
        while not any(e.direction == "RX" and e.opcode == opcode for e in sim.log()):
            if time.monotonic() > deadline:
                raise RuntimeError(f"no request of opcode {opcode} reached the simulator")
            time.sleep(0.002)
        self.start()

    def running(self) -> bool:
        return self.proc.poll() is None

    def stop(self) -> None:
        if self.proc.poll() is None:
            self.proc.kill()
        self.proc.communicate()


class Lab:
    """Namespaces NAME-pc and NAME-lan0..lanN-1; link k is 198.18.(4k).0/22."""

    _serial = itertools.count()

    def __init__(self, links: int = 1):
        self.links = links
        self.name = f"lsk{os.getpid()}n{next(Lab._serial)}"
        self.pc_ns = f"{self.name}-pc"
        self.tmp = Path(tempfile.mkdtemp(prefix="lumaseek-lab-"))
        self._sims = []
        self._up = False

    def __enter__(self):
        try:
            self.up()
        except BaseException:
            self.down()
            raise
        return self

    def __exit__(self, *exc):
        self.down()
        return False

    def up(self) -> None:
        self._up = True
        _netns(f"lab_up {self.name} {self.links}")
        # Programs that learn their addresses from the host name find the PC's
        # lab addresses: "ip netns exec" mounts these files over /etc.
        etc = Path("/etc/netns") / self.pc_ns
        etc.mkdir(parents=True, exist_ok=True)
        host = socket.gethostname()
        (etc / "hosts").write_text("127.0.0.1 localhost\n" + "".join(
            f"{self.pc_ip(k)} {host}\n" for k in range(self.links)))
        (etc / "host.conf").write_text("multi on\n")
        for k in range(self.links):
            # A device that is reachable over several links answers on the link
            # the request came in on, from an address of another link's range.
            self.run_ns(self.pc_ns, ["sysctl", "-qw", f"net.ipv4.conf.lsk{k}.rp_filter=0"])
        self.run_ns(self.pc_ns, ["sysctl", "-qw", "net.ipv4.conf.all.rp_filter=0"])

    def down(self) -> None:
        for sim in self._sims:
            sim.stop()
        self._sims.clear()
        if self._up:
            _netns(f"lab_down {self.name}")
            shutil.rmtree(Path("/etc/netns") / self.pc_ns, ignore_errors=True)
            self._up = False
        shutil.rmtree(self.tmp, ignore_errors=True)

    def lan_ns(self, k: int) -> str:
        return f"{self.name}-lan{k}"

    @staticmethod
    def pc_ip(k: int) -> str:
        return f"198.18.{4 * k}.1"

    @staticmethod
    def dev_ip(k: int, n: int) -> str:
        base = 4 * k * 256 + 10 + n
        return f"198.18.{base // 256}.{base % 256}"

    @staticmethod
    def netmask() -> str:
        return "255.255.252.0"

    def run_ns(self, ns: str, argv, timeout: float = 60, **kw) -> subprocess.CompletedProcess:
        kw.setdefault("capture_output", True)
        kw.setdefault("text", True)
        return subprocess.run(["ip", "netns", "exec", ns, *map(str, argv)], timeout=timeout, **kw)

    def run_pc(self, argv, timeout: float = 60, **kw) -> subprocess.CompletedProcess:
        return self.run_ns(self.pc_ns, argv, timeout=timeout, **kw)

    def popen_pc(self, argv, **kw) -> subprocess.Popen:
        return subprocess.Popen(["ip", "netns", "exec", self.pc_ns, *map(str, argv)], **kw)

    def flood(self, link: int, datagram: bytes, every: float, seconds: float) -> Flood:
        """A host at address 250 of `link` ready to send `datagram` to the PC's
        port 13579 every `every` seconds for `seconds` once started."""
        source = self.dev_ip(link, 250)
        _netns(f"lab_add_ip {self.name} {link} {source}")
        proc = subprocess.Popen(
            ["ip", "netns", "exec", self.lan_ns(link), "python3", "-c", _FLOOD, source,
             self.pc_ip(link), str(every), str(seconds), datagram.hex()],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        return Flood(proc, seconds)

    def start_sim(self, devices: list, link: int = 0, ready_timeout: float = 30,
                  **options) -> Sim:
        """Starts lumaseek-sim in LAN namespace `link` with `devices` (the
        simulator's device objects) and top-level `options` (e.g. dhcp_pool),
        and waits for its "ready" line."""
        serial = len(self._sims)
        config_path = self.tmp / f"sim{serial}.json"
        log_path = self.tmp / f"sim{serial}.log"
        config = dict(options)
        config["devices"] = devices
        config_path.write_text(json.dumps(config, indent=1))
        proc = subprocess.Popen(
            ["ip", "netns", "exec", self.lan_ns(link), binary("lumaseek-sim"),
             "--config", str(config_path), "--log", str(log_path)],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        sim = Sim(proc, log_path, config_path)
        self._sims.append(sim)
        deadline = time.monotonic() + ready_timeout
        while True:
            left = deadline - time.monotonic()
            if left <= 0 or proc.poll() is not None:
                sim.stop()
                raise RuntimeError(f"lumaseek-sim did not get ready: {proc.stderr.read()}")
            readable, _, _ = select.select([proc.stdout], [], [], left)
            if readable and proc.stdout.readline().strip() == "ready":
                return sim
