"""Shared set-up of the network tests: a lab with simulated devices and the CLI
run in the PC namespace as a user would run it."""

import json
import os
import pty
import subprocess
import termios
import time
import unittest

from lab import Lab, available, binary

OP_SEARCH, OP_QUERY, OP_CONFIG = 1, 3, 5
OP_CONFIG_REPLY = 6


def device(lab, name, link, n, **keys):
    """A simulator device object on link `link`, address n of that link."""
    d = {"name": name, "ip": lab.dev_ip(link, n), "netmask": lab.netmask(), "gateway": lab.pc_ip(link)}
    d.update(keys)
    return d


class Result:
    def __init__(self, completed, seconds):
        self.code = completed.returncode
        self.out = completed.stdout
        self.err = completed.stderr
        self.seconds = seconds

    def json(self):
        return json.loads(self.out)

    def __repr__(self):
        return f"exit {self.code} after {self.seconds:.2f} s\nstdout: {self.out}\nstderr: {self.err}"


@unittest.skipUnless(available(), "needs root and iproute2 for network namespaces")
class LabCase(unittest.TestCase):
    """One lab per test class; subclasses set LINKS and fill it in lab_setup."""

    LINKS = 1

    @classmethod
    def setUpClass(cls):
        cls.lab = Lab(cls.LINKS)
        cls.lab.__enter__()
        try:
            cls.lab_setup()
        except BaseException:
            cls.lab.down()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.lab.down()

    @classmethod
    def lab_setup(cls):
        pass

    @classmethod
    def cli(cls, *args, stdin=None, env=None):
        """Runs lumaseek-cli in the PC namespace; stdin is not a terminal: a
        text to read, or nothing. `env` adds to the environment."""
        start = time.monotonic()
        completed = cls.lab.run_pc([binary("lumaseek-cli"), *args], timeout=90,
                                   input=stdin if stdin is not None else "",
                                   env={**os.environ, **(env or {})})
        return Result(completed, time.monotonic() - start)

    @classmethod
    def cli_at_terminal(cls, *args, typed=None):
        """Runs lumaseek-cli with a terminal as stdin; once it has switched
        the echo off, `typed` (bytes) is typed there."""
        master, slave = pty.openpty()
        start = time.monotonic()
        try:
            proc = cls.lab.popen_pc([binary("lumaseek-cli"), *args], stdin=slave, stdout=subprocess.PIPE,
                                    stderr=subprocess.PIPE, text=True)
            while typed is not None and proc.poll() is None:
                if not termios.tcgetattr(slave)[3] & termios.ECHO:
                    os.write(master, typed)
                    break
                time.sleep(0.01)
            out, err = proc.communicate(timeout=90)
        finally:
            os.close(master)
            os.close(slave)
        completed = subprocess.CompletedProcess(proc.args, proc.returncode, out, err)
        return Result(completed, time.monotonic() - start)

    def by_name(self, devices):
        return {d["name"]: d for d in devices}

