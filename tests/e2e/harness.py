"""Runs lumaseek.exe under Wine for end-to-end tests and the demo.

A WineSession owns everything it starts: an Xvfb display (or the caller's), a
private namespace Lab (tests/support/lab.py: the PC namespace, its LAN
namespaces and the simulators in them), a fresh Wine prefix copied from a
template made once, one wineserver, the program inside Wine's virtual desktop,
and an lsdriver.exe that reads and drives its windows (commands listed in
tests/e2e/driver/lsdriver.cpp). Leaving the session stops all of it, whatever
happened inside.

    with WineSession("tabs") as s:
        s.lab.start_sim([{"name": "nas1", "ip": s.lab.dev_ip(0, 0)}])
        s.start_program()
        main, seconds = s.wait_main_window()
        tabs = s.driver.control(main, ids.IDC_PAGE_TAB)  # ids: resource_ids.py
        s.driver.call("clicktab", tabs, 2)
        s.screenshot("drive-mapping")
"""

import fcntl
import glob
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tests", "support"))
from lab import Lab  # noqa: E402

WIN_BIN_DIR = os.environ.get("LUMASEEK_WIN_BIN_DIR", os.path.join(REPO, "build", "windows", "bin"))
WINE_DIR = os.path.join(REPO, "build", "e2e-wine")
TEMPLATE_PREFIX = os.path.join(WINE_DIR, "template")
SHOTS_ROOT = os.path.join(REPO, "build", "e2e-shots")
# Debian's Wine does not load its own fonts (fonts-wine) by itself: without them
# the caption buttons lose their Marlett glyphs and "MS Sans Serif" its metrics.
# The pages' "Arial" needs no copy: Wine asks fontconfig, which names Liberation
# Sans (fonts-liberation), a font with Arial's metrics.
WINE_FONTS = "/usr/share/wine/fonts/*"

DESKTOP = "lumaseek"
DESKTOP_SIZE = "800x600"
MAIN_TITLE = "lumaSeek (v1.0)   "

WINE_ENV = {
    "WINEDEBUG": "-all",
    # no Mono or Gecko install prompts; the program needs neither
    "WINEDLLOVERRIDES": "mscoree,mshtml=",
    "WINEARCH": "win64",
}


def win_exe(name):
    return os.path.join(WIN_BIN_DIR, name)


def wine_env(prefix, display):
    env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
    env.update(WINE_ENV)
    env["WINEPREFIX"] = prefix
    env["DISPLAY"] = display
    return env


def prepare_template():
    """Makes the template prefix once; later sessions copy it in a second."""
    os.makedirs(WINE_DIR, exist_ok=True)
    with open(os.path.join(WINE_DIR, "template.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        # a template made before the fonts were added is made again
        ready = os.path.join(TEMPLATE_PREFIX, ".ready-fonts")
        if os.path.exists(ready):
            return
        shutil.rmtree(TEMPLATE_PREFIX, ignore_errors=True)
        env = wine_env(TEMPLATE_PREFIX, "")
        del env["DISPLAY"]
        subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        fonts = glob.glob(WINE_FONTS)
        if not any(os.path.basename(f) == "marlett.ttf" for f in fonts):
            raise RuntimeError("Wine's fonts are missing (package fonts-wine): caption buttons would draw as letters")
        for font in fonts:
            shutil.copy(font, os.path.join(TEMPLATE_PREFIX, "drive_c", "windows", "Fonts"))
        subprocess.run(["wineserver", "-w"], env=env, timeout=120)
        # Wine links the profile folders to $HOME; shortcuts made by a test
        # must stay inside its own prefix.
        profile = os.path.join(TEMPLATE_PREFIX, "drive_c", "users")
        for root, dirs, _ in os.walk(profile):
            for d in dirs:
                path = os.path.join(root, d)
                if os.path.islink(path):
                    os.unlink(path)
                    os.mkdir(path)
        open(ready, "w").close()


def compiled_locale(locale):
    """A LOCPATH folder holding `locale` (e.g. ja_JP.UTF-8), compiled once from
    the locales package's sources. Wine takes its ANSI code page from the
    locale's name alone, but names files in the locale's Unix charset, which
    exists only once the locale is compiled."""
    folder = os.path.join(WINE_DIR, "locales")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not os.path.exists(os.path.join(folder, locale, "LC_CTYPE")):
            language, charset = locale.split(".")
            # warnings about the sources end it with status 1; the files count
            subprocess.run(["localedef", "-i", language, "-f", charset, os.path.join(folder, locale)],
                           timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return folder


# Wine's programs and libraries are only ever read: hard links to them make a
# copy of the 700 MB prefix instant. Anything else (registry, ini files) may be
# rewritten in place, so it is copied.
LINKED_SUFFIXES = (".dll", ".exe", ".sys", ".drv", ".ocx", ".cpl", ".acm", ".ax", ".tlb", ".ds", ".com")


def link_or_copy(src, dst):
    if src.lower().endswith(LINKED_SUFFIXES):
        os.link(src, dst)
    else:
        shutil.copy2(src, dst)


def copy_prefix(dest):
    shutil.copytree(TEMPLATE_PREFIX, dest, symlinks=True, copy_function=link_or_copy)


class DriverError(Exception):
    pass


class Driver:
    """One lsdriver.exe kept running; each call sends a command line and reads its answer."""

    def __init__(self, argv, env):
        self.proc = subprocess.Popen(argv + ["--desktop", DESKTOP], env=env, text=True,
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, encoding="latin-1")

    def call(self, cmd, *args):
        line = "\t".join([cmd] + [str(a) for a in args])
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()
        answer = self.proc.stdout.readline()
        if not answer:
            raise DriverError(f"lsdriver ended during {cmd}")
        reply = json.loads(answer)
        if not reply["ok"]:
            raise DriverError(f"{cmd} {args}: {reply['error']}")
        return reply["result"]

    def find(self, title, timeout_ms=0, cls=""):
        return self.call("find", title, timeout_ms, cls)

    def children(self, top):
        return self.call("children", top["hwnd"])

    def control(self, top, ctrl_id, visible_only=False):
        """The hwnd of the descendant of top with this id (pages share none)."""
        for c in self.children(top):
            if c["id"] == ctrl_id and (c["visible"] or not visible_only):
                return c["hwnd"]
        raise DriverError(f"no control {ctrl_id}")

    def msgbox(self, title, timeout_ms=5000):
        return self.call("msgbox", title, timeout_ms)

    def close(self):
        if self.proc.poll() is None:
            try:
                self.proc.stdin.write("quit\n")
                self.proc.stdin.close()
                self.proc.wait(timeout=5)
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait()
        self.proc.stdout.close()


class WineSession:
    """See the module's comment. links: the LAN namespaces beside the PC's."""

    def __init__(self, name, links=1, display=None, shots_dir=None, locale=None):
        self.name = name
        self.locale = locale  # LC_ALL for Wine, which takes the ANSI code page from it
        self.lab = Lab(links)
        self.pc_ns = self.lab.pc_ns
        self.display = display
        self.shots_dir = shots_dir or os.path.join(
            SHOTS_ROOT, f"{name}-{time.strftime('%Y%m%d-%H%M%S')}-{os.getpid()}")
        self.prefix = None
        self._driver = None
        self._programs = []
        self.program_started = None
        self._xvfb = None
        self._shot_count = 0

    # -- lifetime --

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _start(self):
        prepare_template()
        if self.display is None:
            self.display = self._start_xvfb()
        self.lab.up()
        self.prefix = tempfile.mkdtemp(prefix=f"run-{self.name}-", dir=WINE_DIR)
        os.rmdir(self.prefix)
        copy_prefix(self.prefix)
        os.makedirs(self.shots_dir, exist_ok=True)
        # one wineserver, inside the PC namespace, for every Wine command of the
        # session: a server that ends between commands costs seconds each time
        subprocess.run(self.pc_cmd(["wineserver", "-p"]), env=self.env(), check=True, timeout=30)

    def _start_xvfb(self):
        read_fd, write_fd = os.pipe()
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{DESKTOP_SIZE}x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as r:
            number = r.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        return f":{number}"

    def close(self):
        if self._driver:
            self._driver.close()
        if self.prefix:
            subprocess.run(["wineserver", "-k"], env=self.env(), timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for p in self._programs:
            if p.poll() is None:
                p.kill()
            p.wait()
        self.lab.down()
        if self._xvfb:
            self._xvfb.terminate()
            self._xvfb.wait()
            self._xvfb = None
        if self.prefix:
            shutil.rmtree(self.prefix, ignore_errors=True)
            self.prefix = None

    # -- running things --

    @property
    def driver(self):
        """lsdriver.exe in the program's desktop; it waits for that desktop to exist."""
        if self._driver is None:
            self._driver = Driver(self.pc_cmd(["wine", win_exe("lsdriver.exe")]), self.env())
        return self._driver

    def env(self, winedebug=None):
        env = wine_env(self.prefix, self.display)
        if winedebug:
            env["WINEDEBUG"] = winedebug
        if self.locale:
            env["LC_ALL"] = self.locale
            env["LOCPATH"] = compiled_locale(self.locale)
        return env

    def pc_cmd(self, argv):
        return ["ip", "netns", "exec", self.pc_ns] + argv

    def wine(self, argv, timeout=60, winedebug=None):
        """Runs a Wine command in the session's prefix and namespace, to its end.
        Its output goes through files: Wine's background services inherit the
        handles and would hold a pipe open after the command has ended.
        winedebug: Wine's trace channels, written to the command's stderr."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            done = subprocess.run(self.pc_cmd(["wine"] + argv), env=self.env(winedebug), timeout=timeout,
                                  stdout=out, stderr=err)
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(done.args, done.returncode, out.read().decode("latin-1"),
                                               err.read().decode("latin-1"))

    def cli(self, args, timeout=120, winedebug=None):
        """Runs lumaseek-cli.exe with args to its end. Every failure of the
        program says why on stderr, so a run that ends nonzero having written
        nothing at all is taken for a rare failed start under Wine, as reg_add
        takes one, and is run once more; a second such run is the result."""
        for _ in range(2):
            done = self.wine([win_exe("lumaseek-cli.exe"), *args], timeout=timeout, winedebug=winedebug)
            if done.returncode == 0 or done.stdout or done.stderr:
                break
        return done

    def reg_add(self, key, name, data, kind="REG_SZ"):
        """Sets a registry value in the session's prefix. "reg add /f" may be
        repeated safely, so a rare failed start of the command is tried once
        more before the test fails with everything the command said."""
        argv = ["reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f"]
        for _ in range(2):
            done = self.wine(argv)
            if done.returncode == 0:
                return
        raise RuntimeError(f"wine reg add {key} {name}: exit {done.returncode}, "
                           f"stdout {done.stdout!r}, stderr {done.stderr!r}")

    def start_program(self, exe=None, args=(), winedebug=None, stderr=subprocess.DEVNULL):
        """winedebug: Wine's trace channels, written to stderr (a file)."""
        exe = exe or win_exe("lumaseek.exe")
        self.program_started = time.monotonic()
        # a second start joins the desktop that the first one made
        program = subprocess.Popen(
            self.pc_cmd(["wine", "explorer", f"/desktop={DESKTOP},{DESKTOP_SIZE}", exe] + list(args)),
            env=self.env(winedebug), stdout=subprocess.DEVNULL, stderr=stderr)
        self._programs.append(program)
        return program

    def wait_main_window(self, timeout_ms=60000):
        """The main window once it shows, and the seconds from start to then."""
        main = self.driver.find(MAIN_TITLE, timeout_ms, "#32770")
        return main, time.monotonic() - self.program_started

    def main_windows(self):
        """Every visible main window of the program, from any copy of it."""
        return [w for w in self.driver.call("windows")
                if w["title"] == MAIN_TITLE and w["class"] == "#32770" and w["visible"]]

    def program_running(self, exe_name="lumaseek.exe"):
        return self.program_count(exe_name) > 0

    def program_count(self, exe_name="lumaseek.exe"):
        """How many processes of the program run in the PC namespace."""
        count = 0
        pids = subprocess.run(["ip", "netns", "pids", self.pc_ns], capture_output=True,
                              text=True).stdout.split()
        for pid in pids:
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    argv0 = f.read().split(b"\0")[0].decode("latin-1").lower()
            except OSError:
                continue
            # the desktop's explorer names the program too, but only as an argument
            base = argv0.replace("\\", "/").rsplit("/", 1)[-1]
            if exe_name.lower() in (base, base + ".exe"):
                count += 1
        return count

    def wait_program_end(self, timeout_s=10, exe_name="lumaseek.exe"):
        deadline = time.monotonic() + timeout_s
        while time.monotonic() < deadline:
            if not self.program_running(exe_name):
                return True
            time.sleep(0.1)
        return False

    def screenshot(self, label):
        self._shot_count += 1
        path = os.path.join(self.shots_dir, f"{self._shot_count:02d}-{label}.png")
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       check=True, timeout=30, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path
