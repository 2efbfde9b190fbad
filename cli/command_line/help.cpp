#include "cli/command_line/help.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/console.h"
#include "proto/every_interface_search.h"
#include "proto/exchanges.h"
#include "proto/local_interfaces.h"

namespace {

// "--user NAME", or a flag's name alone.
std::string Spelled(const Option& option) {
  return std::string(option.name) + (option.valueName ? std::string(" ") + option.valueName : "");
}

}  // namespace

std::string UsageLine(const Command& command) {
  std::string line = std::string("lumaseek-cli ") + command.name;
  if (*command.operands) line += std::string(" ") + command.operands;
  for (const Option* option : ShownOptions(command))
    line += " [" + Spelled(*option) + "]";
  return line;
}

void PrintUsage(std::FILE* out) {
  const char* lead = "usage: ";
  for (const Command* command : UsageCommands()) {
    platform::Print(out, "%s%s\n", lead, UsageLine(*command).c_str());
    lead = "       ";
  }
  platform::Print(out,
      "       lumaseek-cli --help | --version          (also: COMMAND --help; on Windows /?)\n"
      "DEVICE is the IP address of a device that answers the search, or its name as search shows it\n"
      "(a backslash as \\\\, a control character or a byte that is not UTF-8 as \\xNN); a name that\n"
      "several devices share must be given as an address.\n"
      "search --all also lists the devices that answered after the search's %d reads per interface;\n"
      "the per-device commands look for DEVICE among all of them.\n"
      "search, watch and the per-device commands search every IPv4 interface of the PC at once (at\n"
      "most %d); doctor searches as the window does, its first %d interfaces one after another, and\n"
      "says why a device may be missing.\n"
      "watch searches every SECONDS (default %d, %d to %d) and prints a line per device that\n"
      "appeared, moved, changed its netmask, gateway or DHCP mode, or vanished; Ctrl-C ends it.\n"
      "The password: --password-stdin reads the first line of standard input; else LUMASEEK_PASSWORD;\n"
      "else the default, and at a terminal the command asks. At most %d bytes. --password PASS\n"
      "still works but other users can read it.\n"
      "%s\n"
      "set-static refuses an address no host can use, and one that another device or this PC\n"
      "already uses unless --force is given.\n"
      "map connects \\\\ADDRESS\\SHARE to LETTER (default: the first free one) and prints the letter;\n"
      "drives lists the network drive letters with the device at each one's address.\n"
      "remap moves the letters connected to \\\\OLD-ADDRESS\\SHARE to DEVICE's address, the same\n"
      "letter and login; a letter Windows will not release, or that the new address refuses, stays.\n"
      "map, unmap, drives and remap work on Windows; on Linux they exit 2 and say how to mount the share.\n"
      "open starts the device's web page, or with --share its share root (Linux: xdg-open smb://ADDRESS/).\n"
      "firewall allow lets the devices' replies (UDP to port %u) reach lumaseek.exe and lumaseek-cli.exe\n"
      "of this folder on Domain and Private networks (--public: Public too); remove takes its rules away.\n"
      "Both need an administrator's prompt; on Linux they exit 2 and name the nftables and ufw lines.\n"
      "A value may also follow its option after '=' (--interval=30). -- ends the options.\n"
      "Exit status:\n"
      "    0  done\n"
      "    1  not found, refused, no answer, or the change failed; search and doctor: no device answered\n"
      "    2  bad usage, or an address refused before anything was sent\n"
      "  130  interrupted: Ctrl-C, Ctrl-Break, the console closing, SIGINT or SIGTERM (watch: 0)\n",
      SEARCH_POLLS_PER_INTERFACE, SEARCH_MAX_ADDRESSES, MAX_INTERFACES, WATCH_DEFAULT_INTERVAL_S,
      WATCH_MIN_INTERVAL_S, WATCH_MAX_INTERVAL_S, PASSWORD_MAX_BYTES, DEVICE_LOGIN_NOTE,
      static_cast<unsigned>(DISCOVERY_PORT));
}

void PrintCommandHelp(std::FILE* out, const Command& command) {
  platform::Print(out, "usage: %s\n%s\n", UsageLine(command).c_str(), command.summary);
  std::vector<std::pair<std::string, const char*>> rows;
  for (const Option* option : ShownOptions(command))
    rows.emplace_back(Spelled(*option), option->help);
  rows.emplace_back("--help", "this help");
  std::size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  for (const auto& [option, help] : rows)
    platform::Print(out, "  %-*s  %s\n", static_cast<int>(width), option.c_str(), help);
  if (command.note) platform::Print(out, "%s\n", command.note);
}
