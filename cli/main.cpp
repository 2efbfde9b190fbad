// lumaseek-cli: search for devices, list their shares, check a login, change
// a device's address, map its shares and open its pages from a console.
#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/drive_commands.h"
#include "cli/open_command.h"
#include "lumaseek_version.h"
#include "proto/exchanges.h"

namespace {

const char kUsage[] =
    "usage: lumaseek-cli search [--all] [--json]\n"
    "       lumaseek-cli doctor [--json]\n"
    "       lumaseek-cli shares DEVICE [--json]\n"
    "       lumaseek-cli login DEVICE [--user NAME] [--password PASS]\n"
    "       lumaseek-cli set-dhcp DEVICE [--user NAME] [--password PASS]\n"
    "       lumaseek-cli set-static DEVICE IP NETMASK GATEWAY [--user NAME] [--password PASS]\n"
    "       lumaseek-cli map DEVICE SHARE [LETTER] [--user NAME] [--password PASS]\n"
    "       lumaseek-cli unmap LETTER\n"
    "       lumaseek-cli open DEVICE [--share]\n"
    "       lumaseek-cli --help | --version\n"
    "DEVICE is the IP address or the name of a device that answers the search.\n"
    "search --all also lists the devices that answered after the search's 32 reads per interface.\n"
    "doctor searches as the program does and says why a device may be missing.\n"
    "map connects \\\\ADDRESS\\SHARE to LETTER (default: the first free one) and prints the letter;\n"
    "map and unmap work on Windows; on Linux they exit 2 and say how to mount the share.\n"
    "open starts the device's web page, or with --share its share root (Linux: xdg-open smb://ADDRESS/).\n"
    "Exit status: 0 done, 1 not found, refused or no answer, 2 bad usage or address;\n"
    "doctor: 0 when a device was found, 1 otherwise.\n";

int Usage(const char* problem) {
  if (problem) std::fprintf(stderr, "lumaseek-cli: %s\n", problem);
  std::fputs(kUsage, stderr);
  return EXIT_USAGE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return EXIT_DONE;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("lumaseek-cli %s\n", LUMASEEK_VERSION);
    return EXIT_DONE;
  }
  if (argc < 2) return Usage(nullptr);

  const char* command = argv[1];
  CliOptions options;
  std::vector<const char*> operands;
  for (int i = 2; i < argc; i++) {
    if (std::strcmp(argv[i], "--json") == 0) {
      options.json = true;
    } else if (std::strcmp(argv[i], "--all") == 0) {
      options.all = true;
    } else if (std::strcmp(argv[i], "--share") == 0) {
      options.share = true;
    } else if (std::strcmp(argv[i], "--user") == 0 || std::strcmp(argv[i], "--password") == 0) {
      if (i + 1 >= argc) return Usage("--user and --password need a value");
      const char* value = argv[++i];
      if (std::strlen(value) >= LOGIN_TEXT_SIZE) return Usage("a user name or password has at most 16 characters");
      (argv[i - 1][2] == 'u' ? options.user : options.password) = value;
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      std::fprintf(stderr, "lumaseek-cli: unknown option %s\n", argv[i]);
      return Usage(nullptr);
    } else {
      operands.push_back(argv[i]);
    }
  }

  const bool doctor = std::strcmp(command, "doctor") == 0;
  const bool jsonAllowed = std::strcmp(command, "search") == 0 || std::strcmp(command, "shares") == 0 || doctor;
  const bool credentialAllowed =
      !jsonAllowed && std::strcmp(command, "unmap") != 0 && std::strcmp(command, "open") != 0;
  if (options.json && !jsonAllowed) return Usage("--json goes with search, shares and doctor only");
  if (options.all && std::strcmp(command, "search") != 0) return Usage("--all goes with search only");
  if (options.share && std::strcmp(command, "open") != 0) return Usage("--share goes with open only");
  if ((options.user || options.password) && !credentialAllowed)
    return Usage("--user and --password go with login, set-dhcp, set-static and map only");

  const std::size_t n = operands.size();
  if (std::strcmp(command, "search") == 0 && n == 0) return RunSearch(options);
  if (doctor && n == 0) return RunDoctor(options);
  if (std::strcmp(command, "shares") == 0 && n == 1) return RunShares(operands[0], options);
  if (std::strcmp(command, "login") == 0 && n == 1) return RunLogin(operands[0], options);
  if (std::strcmp(command, "set-dhcp") == 0 && n == 1) return RunSetDhcp(operands[0], options);
  if (std::strcmp(command, "set-static") == 0 && n == 4)
    return RunSetStatic(operands[0], operands[1], operands[2], operands[3], options);
  if (std::strcmp(command, "map") == 0 && (n == 2 || n == 3))
    return RunMap(operands[0], operands[1], n == 3 ? operands[2] : nullptr, options);
  if (std::strcmp(command, "unmap") == 0 && n == 1) return RunUnmap(operands[0]);
  if (std::strcmp(command, "open") == 0 && n == 1) return RunOpen(operands[0], options);
  return Usage("unknown command or wrong number of arguments");
}
