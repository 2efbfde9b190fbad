// The one table of lumaseek-cli's commands (see command_table.h), in the
// order of the usage page.
#include "cli/command_line/command_table.h"
#include "cli/commands/commands.h"

namespace {

const char LOGIN_OPTIONS[] = "--user --password --password-stdin";

}  // namespace

const Command COMMANDS[] = {
    {"search", "", 0, 0, "--all --json", "Searches every interface at once and lists the devices that answer.", RunSearch},
    {"watch", "", 0, 0, "--json --interval",
     "Searches every SECONDS and prints a line per device that appeared, moved, changed or vanished.", RunWatch},
    {"doctor", "", 0, 0, "--json", "Searches as the window does, one interface after another, and says why a device may be missing.", RunDoctor},
    {"shares", "DEVICE", 1, 1, "--json", "Lists the shares of DEVICE.", RunShares},
    {"login", "DEVICE", 1, 1, LOGIN_OPTIONS, "Checks that DEVICE accepts the login.", RunLogin},
    {"set-dhcp", "DEVICE", 1, 1, LOGIN_OPTIONS,
     "Switches DEVICE to DHCP and shows it as the next search finds it.", RunSetDhcp},
    {"set-static", "DEVICE IP NETMASK GATEWAY", 4, 4, "--force --user --password --password-stdin",
     "Gives DEVICE a static address and shows it as the next search finds it.", RunSetStatic},
    {"map", "DEVICE SHARE [LETTER]", 2, 3, LOGIN_OPTIONS,
     "Connects \\\\ADDRESS\\SHARE to LETTER (default: the first free one) and prints the letter; Windows only.",
     RunMap},
    {"unmap", "LETTER", 1, 1, "", "Disconnects LETTER; Windows only.", RunUnmap},
    {"open", "DEVICE", 1, 1, "--share", "Starts DEVICE's web page, or with --share its share root.", RunOpen},
    {"--version", "", 0, 0, "", nullptr, RunVersion},
    {"completion", "SHELL", 1, 1, "", nullptr, RunCompletion},
};
const int COMMAND_COUNT = sizeof COMMANDS / sizeof COMMANDS[0];
