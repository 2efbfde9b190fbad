"""The Debian package, unpacked into a throwaway root as dpkg would install it (it
has no maintainer scripts): the installed programs run, their manual pages render
without a warning and name the same commands and options as --help, and the
completion of bash, zsh and fish, each run by its own shell, offers them."""

import io
import os
import re
import subprocess
import tarfile
import tempfile
import unittest

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD_DIR = os.environ.get("LUMASEEK_BUILD_DIR", os.path.join(REPO, "build", "native"))
# Still accepted for old scripts, with a warning; --help and completion need not offer it.
LEGACY = {"--password"}
OPTION = re.compile(r"--[a-z][a-z-]*")


def run(args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kw).stdout


def usage(help_text, program):
    """The commands of --help's usage lines, each with its options ("" for the command-less lines)."""
    commands = {}
    for line in help_text.splitlines():
        m = re.match(rf"\s*(?:usage:\s*)?{program}\s+(\S+)", line)
        if m:
            name = m[1] if re.fullmatch(r"[a-z][a-z-]*", m[1]) else ""
            commands.setdefault(name, set()).update(OPTION.findall(line))
    return commands


def manual(text, program):
    """The SYNOPSIS's commands and options, COMMANDS's sections and OPTIONS's tags of a rendered page."""
    sections, name = {}, None
    for line in text.splitlines():
        if re.fullmatch(r"[A-Z][A-Z ]+", line):
            name = line
        elif name:
            sections.setdefault(name, []).append(line)
    synopsis = "\n".join(sections.get("SYNOPSIS", []))
    return (set(re.findall(rf"^\s+{program}\s+([a-z][a-z-]*)", synopsis, re.M)), set(OPTION.findall(synopsis)),
            {m[1] for m in (re.fullmatch(r" {3}([a-z][a-z-]*)", l) for l in sections.get("COMMANDS", [])) if m},
            {m[1] for m in (re.match(r" {7}(--[a-z][a-z-]*)", l) for l in sections.get("OPTIONS", [])) if m})


class Package(unittest.TestCase):
    maxDiff = None
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.deb = run([os.path.join(REPO, "scripts", "lib", "release_deb.sh"), BUILD_DIR,
                       os.path.join(cls.tmp.name, "dist")]).strip()
        cls.root = os.path.join(cls.tmp.name, "root")
        run(["dpkg-deb", "-x", cls.deb, cls.root])

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def installed(self, *path):
        return os.path.join(self.root, "usr", *path)

    def help(self, program):
        return run([self.installed("bin", program), "--help"])

    def test_the_installed_cli_names_the_package_version(self):
        # No maintainer scripts: unpacking the package is all that installing it does.
        control = subprocess.run(["dpkg-deb", "--ctrl-tarfile", self.deb], check=True, capture_output=True).stdout
        self.assertEqual(tarfile.open(fileobj=io.BytesIO(control)).getnames(), [".", "./control", "./md5sums"])
        version = run(["dpkg-deb", "-f", self.deb, "Version"]).strip()
        self.assertEqual(run([self.installed("bin", "lumaseek-cli"), "--version"]), f"lumaseek-cli {version}\n")
        self.assertEqual(os.path.basename(self.deb), f"lumaseek-cli_{version}_amd64.deb")

    def test_manual_pages_render_cleanly_and_name_what_help_names(self):
        for program in ("lumaseek-cli", "lumaseek-sim"):
            with self.subTest(program):
                page = subprocess.run(["man", "--warnings", "-l", self.installed("share", "man", "man1", program + ".1.gz")],
                                      env=dict(os.environ, MANWIDTH="80", LC_ALL="C"), capture_output=True, text=True)
                self.assertEqual((page.returncode, page.stderr), (0, ""))
                help_text = self.help(program)
                commands = set(usage(help_text, program)) - {""}
                options = set(OPTION.findall(help_text))
                synopsis_commands, synopsis_options, sections, tags = manual(page.stdout, program)
                problems = [f"{c}: in --help, no section in the manual page" for c in sorted(commands - sections)]
                problems += [f"{c}: in the manual page, not in --help"
                             for c in sorted((synopsis_commands | sections) - commands)]
                problems += [f"{o}: in --help, not among the manual page's OPTIONS" for o in sorted(options - tags)]
                problems += [f"{o}: in the manual page, not in --help"
                             for o in sorted((synopsis_options | tags) - LEGACY - options)]
                self.assertEqual(problems, [])

    # Each shell's completion of the words typed so far (the last one being completed), from its installed file.
    BASH = ('source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); '
            '$(complete -p lumaseek-cli | sed "s/.*-F \\([^ ]*\\).*/\\1/"); printf "%s\\n" "${COMPREPLY[@]}"')
    # zsh's own completion system in an interactive zsh on a pseudo-terminal: compinit finds the file by its
    # #compdef line, Tab runs it, and compadd, wrapped, prints each match zsh keeps before it adds them.
    ZSH = (
        'zmodload zsh/zpty; zpty z zsh -f -i; '
        'zpty -w z "fpath=(${(q)1} \\$fpath); autoload -U compinit; compinit -u -D; PS1=\'\'"; '
        'zpty -w z \'compadd() { local -a hits; builtin compadd -O hits "$@"; '
        'print -rl -- "<""hit>"${^hits}; builtin compadd "$@" }\'; '
        'zpty -w z \'finish() { print -r -- "<""end>"; exit }; comppostfuncs=(finish)\'; '
        'shift; zpty -w -n z "$*"$\'\\t\'; '
        'while zpty -r z line; do [[ $line == *"<end>"* ]] && break; '
        '[[ $line == *"<hit>"* ]] && print -r -- ${${line##*<hit>}%$\'\\r\'}; done; zpty -d z')
    FISH = 'source $argv[1]; complete -C (string join " " -- $argv[2..]) | string replace -r "\\t.*" ""; true'

    def completion(self, shell):
        """The words `shell` offers after lumaseek-cli and the words given."""
        file, command = {
            "bash": (("bash-completion", "completions", "lumaseek-cli"), ["bash", "-c", self.BASH, "bash"]),
            "zsh": (("zsh", "vendor-completions"), ["zsh", "-f", "-c", self.ZSH, "zsh"]),  # its folder, for fpath
            "fish": (("fish", "vendor_completions.d", "lumaseek-cli.fish"), ["fish", "--no-config", "-c", self.FISH]),
        }[shell]
        path = self.installed("share", *file)
        return lambda *words: set(run([*command, path, "lumaseek-cli", *words], timeout=30).split())

    def test_completion_offers_the_commands_and_options_of_help(self):
        commands = usage(self.help("lumaseek-cli"), "lumaseek-cli")
        for shell in ("bash", "zsh", "fish"):
            with self.subTest(shell):
                offered = self.completion(shell)
                first = offered("") | offered("-")  # fish offers options only after a dash
                problems = [f"{w}: offered first, not in --help" for w in sorted(first - set(commands) - commands[""])]
                problems += [f"{w}: in --help, not offered first" for w in sorted((set(commands) - {""} | commands[""]) - first)]
                for command, options in sorted(commands.items()):
                    if command:
                        extra = offered(command, "--") - {"--help"}
                        problems += [f"{command} {o}: offered, not in --help" for o in sorted(extra - options)]
                        problems += [f"{command} {o}: in --help, not offered" for o in sorted(options - LEGACY - extra)]
                problems += [f"{w}: offered as the value of --user" for w in sorted(offered("login", "--user", ""))]
                # an operand that is one of a few words ("allow|remove"): those words, also after an option,
                # until one is given
                for command, words in re.findall(r"lumaseek-cli (\S+) ([a-z]+(?:\|[a-z]+)+)", self.help("lumaseek-cli")):
                    for typed in ([], sorted(commands[command])[:1]):
                        got = offered(command, *typed, "")
                        if got != set(words.split("|")):
                            problems.append(f"{command} {' '.join(typed)}: offered {sorted(got)}, not {words}")
                    problems += [f"{command} {words}: offered {w} after an operand"
                                 for w in sorted(offered(command, words.split("|")[0], ""))]
                self.assertEqual(problems, [])

    def test_each_command_has_a_help_of_its_own_that_help_names(self):
        commands = usage(self.help("lumaseek-cli"), "lumaseek-cli")
        for command, options in sorted(commands.items()):
            if command:
                with self.subTest(command):
                    own = run([self.installed("bin", "lumaseek-cli"), command, "--help"])
                    self.assertEqual(usage(own, "lumaseek-cli"), {command: options})
                    self.assertEqual(set(OPTION.findall(own)) - {"--help"}, options)
                    # The commands that send the device login say that it crosses the LAN in clear text.
                    self.assertEqual("in clear text" in own, command in ("login", "set-dhcp", "set-static"))

if __name__ == "__main__":
    unittest.main()
