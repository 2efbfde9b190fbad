#include "cli/drives_command.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/address_input.h"
#include "cli/cli_output.h"
#include "cli/drive_moves.h"
#include "cli/network_drives.h"
#include "platform/console.h"
#include "platform/interrupt.h"
#include "shared/drive_tables.h"

int RunDrives(const CliOptions& options) {
  ReadConnections();
  const bool any = !NetworkDrives(ConnectionTable, {}).empty();
  const std::vector<NetworkDrive> drives =
      NetworkDrives(ConnectionTable, any ? SearchEveryDevice(options) : std::vector<const DeviceRecord*>());
  if (options.json) {
    platform::Print(stdout, "%s\n", DrivesJson(drives).c_str());
  } else if (drives.empty()) {
    platform::Print(stderr, "lumaseek-cli: no network drive is connected\n");
  } else {
    for (const std::string& line : DriveTableLines(drives)) platform::Print(stdout, "%s\n", line.c_str());
  }
  return EXIT_DONE;
}

int RunRemap(const char* oldAddress, const char* device, const CliOptions& options) {
  char old[ADDRESS_TEXT_SIZE];
  if (!ReadAddress(oldAddress, old)) {
    platform::Print(stderr, "lumaseek-cli: OLD-ADDRESS is a dotted address such as 192.168.1.20, not '%s'\n",
                    Echoed(oldAddress).c_str());
    return EXIT_USAGE;
  }
  if (DriveLettersAt(old).empty()) {
    platform::Print(stderr, "lumaseek-cli: no drive letter is connected to a share at %s\n", old);
    return EXIT_DONE;
  }
  const DeviceRecord* found = nullptr;
  if (const int status = SearchAndSelect(device, options, found)) return status;
  if (std::strcmp(found->ipText, old) == 0) {
    platform::Print(stderr, "lumaseek-cli: %s still answers at %s: its letters need no move\n",
                    Printable(found->name).c_str(), old);
    return EXIT_DONE;
  }
  const DriveMoves moves = MoveDriveLetters(old, found->ipText);
  if (platform::Interrupted()) {
    platform::Print(stderr, "lumaseek-cli: interrupted while moving the drive letters; %d moved, %d left as "
                    "they were\n", moves.moved, moves.stayed);
    return EXIT_INTERRUPTED;
  }
  return moves.stayed ? EXIT_FAILED : EXIT_DONE;
}
