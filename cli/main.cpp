// lumaseek-cli: search for devices, list their shares, check a login and
// change a device's address from a console.
#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/watch_command.h"
#include "lumaseek_version.h"
#include "proto/exchanges.h"

namespace {

const char kUsage[] =
    "usage: lumaseek-cli search [--all] [--json]\n"
    "       lumaseek-cli watch [--json] [--interval SECONDS]\n"
    "       lumaseek-cli doctor [--json]\n"
    "       lumaseek-cli shares DEVICE [--json]\n"
    "       lumaseek-cli login DEVICE [--user NAME] [--password-stdin]\n"
    "       lumaseek-cli set-dhcp DEVICE [--user NAME] [--password-stdin]\n"
    "       lumaseek-cli set-static DEVICE IP NETMASK GATEWAY [--user NAME] [--password-stdin]\n"
    "       lumaseek-cli --help | --version\n"
    "DEVICE is the IP address or the name of a device that answers the search.\n"
    "search --all also lists the devices that answered after the search's 32 reads per interface.\n"
    "doctor searches as the program does and says why a device may be missing.\n"
    "watch searches every SECONDS (default 10, at least 2) and prints a line per device that\n"
    "appeared, moved, changed its netmask, gateway or DHCP mode, or vanished; Ctrl-C ends it.\n"
    "The password: --password-stdin reads the first line of standard input; else LUMASEEK_PASSWORD;\n"
    "else the default, and at a terminal the command asks. At most 16 bytes. --password PASS\n"
    "still works but other users can read it.\n"
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
    } else if (std::strcmp(argv[i], "--password-stdin") == 0) {
      options.passwordStdin = true;
    } else if (std::strcmp(argv[i], "--user") == 0 || std::strcmp(argv[i], "--password") == 0 ||
               std::strcmp(argv[i], "--interval") == 0) {
      if (i + 1 >= argc) return Usage("--user, --password and --interval need a value");
      const char letter = argv[i][2];
      char* value = argv[++i];
      if (letter == 'u' && std::strlen(value) >= LOGIN_TEXT_SIZE) return Usage("a user name has at most 16 bytes");
      if (letter == 'u') options.user = value;
      if (letter == 'i') options.interval = value;
      if (letter == 'p') options.password = value;
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      std::fprintf(stderr, "lumaseek-cli: unknown option %s\n", argv[i]);
      return Usage(nullptr);
    } else {
      operands.push_back(argv[i]);
    }
  }

  const bool doctor = std::strcmp(command, "doctor") == 0;
  const bool watch = std::strcmp(command, "watch") == 0;
  const bool jsonAllowed = std::strcmp(command, "search") == 0 || std::strcmp(command, "shares") == 0 || doctor || watch;
  const bool credentialAllowed = !jsonAllowed;
  if (options.json && !jsonAllowed) return Usage("--json goes with search, watch, shares and doctor only");
  if (options.all && std::strcmp(command, "search") != 0) return Usage("--all goes with search only");
  if ((options.user || options.password || options.passwordStdin) && !credentialAllowed)
    return Usage("--user and the password options go with login, set-dhcp and set-static only");
  if (options.password && options.passwordStdin) return Usage("--password and --password-stdin exclude each other");
  if (options.interval && !watch) return Usage("--interval goes with watch only");
  if (watch && WatchIntervalSeconds(options.interval) == 0) return Usage("--interval takes whole seconds from 2 to 86400");

  const std::size_t n = operands.size();
  if (std::strcmp(command, "search") == 0 && n == 0) return RunSearch(options);
  if (doctor && n == 0) return RunDoctor(options);
  if (watch && n == 0) return RunWatch(options);
  if (std::strcmp(command, "shares") == 0 && n == 1) return RunShares(operands[0], options);
  if (std::strcmp(command, "login") == 0 && n == 1) return RunLogin(operands[0], options);
  if (std::strcmp(command, "set-dhcp") == 0 && n == 1) return RunSetDhcp(operands[0], options);
  if (std::strcmp(command, "set-static") == 0 && n == 4)
    return RunSetStatic(operands[0], operands[1], operands[2], operands[3], options);
  return Usage("unknown command or wrong number of arguments");
}
