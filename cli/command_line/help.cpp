#include "cli/command_line/help.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "cli/command_line/options.h"
#include "cli/login/secret_text.h"
#include "platform/console.h"
#include "proto/exchanges.h"

namespace {

// The options of `command` that usage shows, in its order.
template <typename Each>
void ForShownOptions(const Command& command, Each each) {
  std::istringstream names(command.options);
  for (std::string name; names >> name;) {
    const Option* option = FindOption(name.c_str());
    if (option && !option->hidden) each(*option);
  }
}

}  // namespace

std::string UsageLine(const Command& command) {
  std::string line = std::string("lumaseek-cli ") + command.name;
  if (*command.operands) line += std::string(" ") + command.operands;
  ForShownOptions(command, [&line](const Option& option) {
    line += std::string(" [") + option.name + (option.valueName ? std::string(" ") + option.valueName : "") + "]";
  });
  return line;
}

void PrintUsage(std::FILE* out) {
  const char* lead = "usage: ";
  for (int i = 0; i < COMMAND_COUNT; i++) {
    if (!COMMANDS[i].summary) continue;
    platform::Print(out, "%s%s\n", lead, UsageLine(COMMANDS[i]).c_str());
    lead = "       ";
  }
  platform::Print(out,
      "       lumaseek-cli --help | --version          (also: COMMAND --help; on Windows /?)\n"
      "DEVICE is the IP address of a device that answers the search, or its name as search shows it\n"
      "(a backslash as \\\\, a control character or a byte that is not UTF-8 as \\xNN); a name that\n"
      "several devices share must be given as an address.\n"
      "search --all also lists the devices that answered after the search's %d reads per interface;\n"
      "the per-device commands look for DEVICE among all of them.\n"
      "doctor searches as the program does and says why a device may be missing.\n"
      "watch searches every SECONDS (default %d, at least %d) and prints a line per device that\n"
      "appeared, moved, changed its netmask, gateway or DHCP mode, or vanished; Ctrl-C ends it.\n"
      "The password: --password-stdin reads the first line of standard input; else LUMASEEK_PASSWORD;\n"
      "else the default, and at a terminal the command asks. At most %d bytes. --password PASS\n"
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
      "  130  interrupted: Ctrl-C, Ctrl-Break, the console closing, SIGINT or SIGTERM (watch: 0)\n",
      SEARCH_POLLS_PER_INTERFACE, WATCH_DEFAULT_INTERVAL_S, WATCH_MIN_INTERVAL_S, PASSWORD_MAX_BYTES);
}

void PrintCommandHelp(std::FILE* out, const Command& command) {
  platform::Print(out, "usage: %s\n%s\n", UsageLine(command).c_str(), command.summary);
  std::size_t width = std::strlen("--help");
  ForShownOptions(command, [&width](const Option& option) {
    width = std::max(width, std::strlen(option.name) + (option.valueName ? 1 + std::strlen(option.valueName) : 0));
  });
  const auto row = [out, width](const std::string& option, const char* help) {
    platform::Print(out, "  %-*s  %s\n", static_cast<int>(width), option.c_str(), help);
  };
  ForShownOptions(command, [&row](const Option& option) {
    row(std::string(option.name) + (option.valueName ? std::string(" ") + option.valueName : ""), option.help);
  });
  row("--help", "this help");
}
