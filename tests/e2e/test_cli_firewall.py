"""lumaseek-cli.exe doctor and firewall under Wine with a firewall of the test's
making: lsfirewall.dll (tests/e2e/firewall) registered in the prefix in place of
Wine's firewall objects serves profiles, rules and products from a script and
records every rule added or removed. And doctor against Wine's own firewall."""

import json
import os
import unittest

import harness
import lab
from e2e_base import require_program

DOUBLE = harness.win_exe("lsfirewall.dll")
CLASSES = ["{E2B3C97F-6AE1-41AC-817A-F6F92166D7DD}",  # NetFwPolicy2
           "{2C5BC43E-3369-4C33-AB0C-BE9469677AF4}",  # NetFwRule
           "{CC19079B-8272-4D73-BB70-CDB533527B61}"]  # NetFwProducts


def win_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


CLI_FOLDER = win_path(harness.WIN_BIN_DIR)
WINDOW_PROGRAM = CLI_FOLDER + "\\lumaseek.exe"
CLI_PROGRAM = CLI_FOLDER + "\\lumaseek-cli.exe"


def rule(name, action, program="-", profiles="all", ports="13579", protocol="udp", enabled="on"):
    return "\t".join(["rule", name, action, protocol, ports, program, profiles, enabled, "in"])


def profile(name, on="on", block_all="-", default="block"):
    return "\t".join(["profile", name, on, block_all, default])


def cli(s, *args):
    done = s.cli(args)
    return done.returncode, done.stdout.encode("latin-1").decode("utf-8"), done.stderr


@require_program
@unittest.skipUnless(os.path.exists(DOUBLE), f"{DOUBLE} is missing: build the windows preset")
class CliFirewall(unittest.TestCase):
    """One Wine session with the double for every test: each test writes its own script."""

    @classmethod
    def setUpClass(cls):
        cls.s = s = harness.WineSession("cli-firewall").__enter__()
        cls.addClassCleanup(s.close)
        cls.script = os.path.join(s.prefix, "firewall-script.txt")
        cls.record = cls.script + ".record"
        reg = ["REGEDIT4", ""]
        for clsid in CLASSES:
            reg += [f"[HKEY_CLASSES_ROOT\\CLSID\\{clsid}\\InprocServer32]",
                    "@=" + json.dumps(win_path(DOUBLE)), '"ThreadingModel"="Both"', ""]
        reg += ["[HKEY_CURRENT_USER\\Software\\lumaSeek tests]", '"FirewallScript"=' + json.dumps(win_path(cls.script)), ""]
        reg_file = os.path.join(s.prefix, "firewall.reg")
        with open(reg_file, "w") as f:
            f.write("\r\n".join(reg))
        done = s.wine(["regedit", "/s", win_path(reg_file)])
        if done.returncode != 0:
            raise RuntimeError(f"regedit failed: {done.stderr}")

    def use_script(self, *lines):
        with open(self.script, "w") as f:
            f.write("\n".join(lines) + "\n")
        if os.path.exists(self.record):
            os.remove(self.record)

    def recorded(self):
        if not os.path.exists(self.record):
            return []
        with open(self.record) as f:
            return [line.rstrip("\n").split("\t") for line in f]

    def cli(self, *args):
        return cli(self.s, *args)

    def doctor(self, *args):
        code, out, err = self.cli("doctor", *args)
        self.assertIn(code, (0, 1), err)
        return json.loads(out) if "--json" in args else out

    def test_doctor_names_the_rule_or_profile_that_keeps_the_replies_out(self):
        cases = [
            ("a block rule beats the allow rule",
             ["current\tPublic", profile("Public"),
              rule("lumaseek.exe", "block", WINDOW_PROGRAM.upper(), "Public"),
              rule("lumaseek-cli.exe", "allow", CLI_PROGRAM, "Private", ports="*")],
             "firewall_block_rule",
             ['the firewall rule "lumaseek.exe" blocks incoming UDP to port 13579 on the current Public profile',
              'netsh advfirewall firewall delete rule name="lumaseek.exe", then lumaseek-cli firewall allow --public']),
            ("the allow rule covers only the other profile",
             ["current\tPublic", profile("Public"), rule("lumaseek-cli.exe", "allow", CLI_PROGRAM, "Private"),
              rule("old", "block", WINDOW_PROGRAM, enabled="off"), rule("tcp", "allow", protocol="tcp")],
             "firewall_no_allow_rule",
             ['the rule "lumaseek-cli.exe" allows it on the Private profile only',
              "From an administrator's prompt: lumaseek-cli firewall allow --public."]),
            ("block-all", ["current\tPrivate", profile("Private", block_all="blockall"), rule("every", "allow")],
             "firewall_blocks_all",
             ["blocks all incoming connections on the current Private profile",
              "netsh advfirewall set privateprofile firewallpolicy blockinbound,allowoutbound"]),
            ("off, another product instead", ["current\tPrivate", profile("Private", on="off"), "product\tNorton Firewall"],
             "firewall_off", ["is off on the current Private profile; Norton Firewall filters the traffic instead"]),
            ("unreadable", ["fail\tpolicy\t0x80070005"], "firewall_unreadable", ["could not be read: "]),
        ]
        for what, script, code, texts in cases:
            with self.subTest(what):
                self.use_script(*script)
                report = self.doctor("--json")
                findings = {f["code"]: f["text"] + " | " + f["advice"] for f in report["findings"]}
                self.assertIn(code, findings, report)
                self.assertEqual([], [c for c in findings if c.startswith("firewall_") and c != code], findings)
                for text in texts:
                    self.assertIn(text, findings[code])
        # what was read, under the documented keys
        self.assertIn("0x80070005", report["firewall"]["error"])
        self.use_script("current\tPublic", profile("Public"), rule("lumaseek.exe", "block", WINDOW_PROGRAM, "Public"))
        firewall = self.doctor("--json")["firewall"]
        self.assertEqual((["Public"], {"enabled": True, "block_all_inbound": False, "inbound_blocked_by_default": True},
                          [{"name": "lumaseek.exe", "action": "block", "profiles": ["Public"], "ports": "13579",
                            "program": WINDOW_PROGRAM}], [], False),
                         (firewall["current_profiles"], firewall["profiles"]["public"], firewall["rules"],
                          firewall["products"], firewall["lets_replies_in"]))

        self.use_script("current\tPrivate", profile("Private"), rule("lumaSeek replies", "allow", CLI_PROGRAM.lower(), "Private"))
        self.assertIn('The firewall lets incoming UDP to port 13579 in on the current Private profile (Private: '
                      'the rule "lumaSeek replies" allows it).', self.doctor())

    def test_allow_twice_then_remove_changes_only_its_own_rules(self):
        own = {"lumaSeek replies (lumaseek.exe)": WINDOW_PROGRAM, "lumaSeek replies (lumaseek-cli.exe)": CLI_PROGRAM}
        self.use_script("current\tPrivate", profile("Private"), rule("old block", "block", WINDOW_PROGRAM, "Private"),
                        rule("other program", "allow", "C:\\other.exe"))
        code, out, err = self.cli("firewall", "allow")
        self.assertEqual(0, code, err)
        self.assertEqual([["add", name, "allow", "udp", "13579", program, "Domain,Private", "on", "in"]
                          for name, program in own.items()], self.recorded())
        self.assertIn('the rule "old block" blocks incoming UDP to port 13579 on the Private profile and wins', err)
        self.assertIn('netsh advfirewall firewall delete rule name="old block"', err)

        code, out, err = self.cli("firewall", "allow")
        self.assertEqual((0, 2), (code, len(self.recorded())), err)
        self.assertEqual([f"already there: {name}" for name in own], out.splitlines())

        code, out, err = self.cli("firewall", "allow", "--public")
        self.assertEqual((0, [f"replaced: {name}" for name in own]),
                         (code, [line.split(": incoming")[0] for line in out.splitlines()]), err)
        self.assertEqual([["remove", name] for name in own],
                         [r[:2] for r in self.recorded()[2:] if r[0] == "remove"])
        self.assertEqual(["Domain,Private,Public"] * 2,
                         [r[6] for r in self.recorded()[2:] if r[0] == "add"])

        code, out, err = self.cli("firewall", "remove")
        self.assertEqual(0, code, err)
        self.assertEqual([["remove", name] for name in own], self.recorded()[-2:])
        code, out, err = self.cli("firewall", "remove")
        self.assertEqual((0, [f"not there: {name}" for name in own]), (code, out.splitlines()))

    def test_without_administrator_rights_or_the_rules_nothing_changes_and_netsh_lines_are_printed(self):
        cases = [("no administrator", ["admin\tno", "current\tPrivate", profile("Private"),
                                       rule("lumaSeek replies (lumaseek.exe)", "allow", WINDOW_PROGRAM, "Private")]),
                 ("settings unreadable", ["fail\tpolicy\t0x80070005"])]
        for what, script in cases:
            with self.subTest(what):
                self.use_script(*script)
                code, out, err = self.cli("firewall", "allow")
                self.assertEqual(1, code, err)
                self.assertIn("administrator's prompt", err)
                self.assertEqual(
                    [f'netsh advfirewall firewall add rule name="lumaSeek replies ({exe})" dir=in action=allow '
                     f'protocol=UDP localport=13579 program="{CLI_FOLDER}\\{exe}" profile=domain,private enable=yes'
                     for exe in ("lumaseek.exe", "lumaseek-cli.exe")], out.splitlines())
                code, out, err = self.cli("firewall", "remove")
                self.assertEqual(1, code, err)
                self.assertIn('netsh advfirewall firewall delete rule name="lumaSeek replies (lumaseek-cli.exe)"', out)
                self.assertEqual([], self.recorded())
        code, out, err = self.cli("firewall", "allw")
        self.assertEqual((2, ""), (code, out))
        self.assertIn("unknown operand 'allw': firewall takes allow|remove; did you mean 'allow'?", err)

@require_program
@unittest.skipUnless(os.path.exists(lab.binary("lumaseek-sim")), "lumaseek-sim is missing: build the native preset")
class CliFirewallOfWine(unittest.TestCase):
    def test_doctor_against_wines_own_firewall_says_what_it_could_not_read(self):
        with harness.WineSession("cli-firewall-wine") as s:
            s.lab.start_sim([{"name": "nas", "ip": s.lab.dev_ip(0, 0), "netmask": s.lab.netmask()}])
            code, out, err = cli(s, "doctor", "--json")
            self.assertEqual(0, code, err)
            report = json.loads(out)
            firewall = report["firewall"]
            unread = [k for k in ("error", "profiles_error", "rules_error", "products_error") if firewall[k]]
            self.assertTrue(unread, firewall)
            self.assertIsNone(firewall["lets_replies_in"], firewall)
            self.assertEqual([], [f["code"] for f in report["findings"] if f["code"].startswith("firewall")])
            code, out, err = cli(s, "doctor")
            self.assertIn("could not be read", out)
            self.assertIn("replies arrived, so it lets them in.", out)

if __name__ == "__main__":
    unittest.main()
