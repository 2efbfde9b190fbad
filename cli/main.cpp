// lumaseek-cli: search for devices, list their shares, check a login, change
// a device's address, map its shares and open its pages from a console.
#include <cstdio>
#include <cstring>

#include "cli/arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "cli/drive_commands.h"
#include "cli/open_command.h"
#include "cli/watch_command.h"
#include "lumaseek_version.h"
#include "platform/console.h"
#include "platform/interrupt.h"
#include "proto/exchanges.h"

namespace {

const char USAGE_TEXT[] =
    "usage: lumaseek-cli search [--all] [--json]\n"
    "       lumaseek-cli watch [--json] [--interval SECONDS]\n"
    "       lumaseek-cli doctor [--json]\n"
    "       lumaseek-cli shares DEVICE [--json]\n"
    "       lumaseek-cli login DEVICE [--user NAME] [--password-stdin]\n"
    "       lumaseek-cli set-dhcp DEVICE [--user NAME] [--password-stdin]\n"
    "       lumaseek-cli set-static DEVICE IP NETMASK GATEWAY [--force] [--user NAME] [--password-stdin]\n"
    "       lumaseek-cli map DEVICE SHARE [LETTER] [--user NAME] [--password-stdin]\n"
    "       lumaseek-cli unmap LETTER\n"
    "       lumaseek-cli open DEVICE [--share]\n"
    "       lumaseek-cli --help | --version          (also: COMMAND --help; on Windows /?)\n"
    "DEVICE is the IP address of a device that answers the search, or its name as search shows it\n"
    "(a backslash as \\\\, a control character or a byte that is not UTF-8 as \\xNN); a name that\n"
    "several devices share must be given as an address.\n"
    "search --all also lists the devices that answered after the search's 32 reads per interface;\n"
    "the per-device commands look for DEVICE among all of them.\n"
    "search, watch and the per-device commands search every IPv4 interface of the PC at once (at\n"
    "most 64); doctor searches as the window does, its first 8 interfaces one after another, and\n"
    "says why a device may be missing.\n"
    "watch searches every SECONDS (default 10, at least 2) and prints a line per device that\n"
    "appeared, moved, changed its netmask, gateway or DHCP mode, or vanished; Ctrl-C ends it.\n"
    "The password: --password-stdin reads the first line of standard input; else LUMASEEK_PASSWORD;\n"
    "else the default, and at a terminal the command asks. At most 16 bytes. --password PASS\n"
    "still works but other users can read it.\n"
    "set-static refuses an address no host can use, and one that another device or this PC\n"
    "already uses unless --force is given.\n"
    "map connects \\\\ADDRESS\\SHARE to LETTER (default: the first free one) and prints the letter;\n"
    "map and unmap work on Windows; on Linux they exit 2 and say how to mount the share.\n"
    "open starts the device's web page, or with --share its share root (Linux: xdg-open smb://ADDRESS/).\n"
    "-- ends the options.\n"
    "Exit status:\n"
    "    0  done\n"
    "    1  not found, refused, no answer, or the change failed; search and doctor: no device answered\n"
    "    2  bad usage, or an address refused before anything was sent\n"
    "  130  interrupted: Ctrl-C, Ctrl-Break, the console closing, SIGINT or SIGTERM (watch: 0)\n";

int Run(const Arguments& a) {
  const std::string& command = a.command;
  const CliOptions& options = a.options;
  if (command == "--version") {
    platform::Print(stdout, "lumaseek-cli %s\n", LUMASEEK_VERSION);
    return EXIT_DONE;
  }
  if (command == "search") return RunSearch(options);
  if (command == "watch") return RunWatch(options);
  if (command == "doctor") return RunDoctor(options);
  if (command == "shares") return RunShares(a.operands[0], options);
  if (command == "login") return RunLogin(a.operands[0], options);
  if (command == "set-dhcp") return RunSetDhcp(a.operands[0], options);
  if (command == "set-static") return RunSetStatic(a.operands[0], a.operands[1], a.operands[2], a.operands[3], options);
  if (command == "map") return RunMap(a.operands[0], a.operands[1], a.operands.size() > 2 ? a.operands[2] : nullptr, options);
  if (command == "unmap") return RunUnmap(a.operands[0]);
  return RunOpen(a.operands[0], options);
}

int UsageError(const std::string& problem) {
  platform::Print(stderr, "lumaseek-cli: %s\nTry 'lumaseek-cli --help'.\n", problem.c_str());
  return EXIT_USAGE;
}

}  // namespace

int main(int argc, char** argv) {
  platform::CatchInterrupts();
  const Arguments arguments = ReadArguments(argc, argv);
  if (arguments.help) {
    platform::Print(stdout, "%s", USAGE_TEXT);
    return FinishOutput(stdout, EXIT_DONE);
  }
  if (!arguments.error.empty()) return UsageError(arguments.error);
  const CliOptions& options = arguments.options;
  if (options.user && std::strlen(options.user) >= LOGIN_TEXT_SIZE) return UsageError("a user name has at most 16 bytes");
  if (options.password && options.passwordStdin) return UsageError("--password and --password-stdin exclude each other");
  if (arguments.command == "watch" && WatchIntervalSeconds(options.interval) == 0)
    return UsageError("--interval takes whole seconds from 2 to 86400");
  return FinishOutput(stdout, Run(arguments));
}
