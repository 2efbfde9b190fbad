// The one table of lumaseek-cli's commands (see command_table.h), in the
// order of the usage page.
#include "cli/command_line/command_table.h"
#include "cli/commands/commands.h"

namespace {

const char LOGIN_OPTIONS[] = "--user --password --password-stdin";

}  // namespace

const Command COMMANDS[] = {
    {"search", "", 0, 0, "--all --json", "Searches every interface at once and lists the devices that answer.",
     RunSearch, nullptr},
    {"watch", "", 0, 0, "--json --interval",
     "Searches every SECONDS and prints a line per device that appeared, moved, changed or vanished.", RunWatch,
     nullptr},
    {"doctor", "", 0, 0, "--json",
     "Searches as the window does, one interface after another, and says why a device may be missing.", RunDoctor,
     nullptr},
    {"shares", "DEVICE", 1, 1, "--json", "Lists the shares of DEVICE.", RunShares, nullptr},
    {"login", "DEVICE", 1, 1, LOGIN_OPTIONS, "Checks that DEVICE accepts the login.", RunLogin, DEVICE_LOGIN_NOTE},
    {"set-dhcp", "DEVICE", 1, 1, "--move-drives --user --password --password-stdin",
     "Switches DEVICE to DHCP and shows it as the next search finds it.", RunSetDhcp, DEVICE_LOGIN_NOTE},
    {"set-static", "DEVICE IP NETMASK GATEWAY", 4, 4, "--force --move-drives --user --password --password-stdin",
     "Gives DEVICE a static address and shows it as the next search finds it.", RunSetStatic, DEVICE_LOGIN_NOTE},
    {"map", "DEVICE SHARE [LETTER]", 2, 3, LOGIN_OPTIONS,
     "Connects \\\\ADDRESS\\SHARE to LETTER (default: the first free one) and prints the letter; Windows only.",
     RunMap, nullptr},
    {"unmap", "LETTER", 1, 1, "", "Disconnects LETTER; Windows only.", RunUnmap, nullptr},
    {"drives", "", 0, 0, "--json",
     "Lists the network drive letters with the device at each one's address; Windows only.", RunDrives, nullptr},
    {"remap", "OLD-ADDRESS DEVICE", 2, 2, "",
     "Moves the letters connected to \\\\OLD-ADDRESS\\SHARE to DEVICE's address now; Windows only.", RunRemap,
     nullptr},
    {"open", "DEVICE", 1, 1, "--share", "Starts DEVICE's web page, or with --share its share root.", RunOpen, nullptr},
    {"firewall", "allow|remove", 1, 1, "--public",
     "Lets the devices' replies through Windows Defender Firewall, or removes its rules again; Windows only.",
     RunFirewall, nullptr},
    {"--version", "", 0, 0, "", nullptr, RunVersion, nullptr},
    {"completion", "SHELL", 1, 1, "", nullptr, RunCompletion, nullptr},
};
const int COMMAND_COUNT = sizeof COMMANDS / sizeof COMMANDS[0];
