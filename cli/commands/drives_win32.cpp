#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands/commands.h"
#include "cli/drive/network_drives.h"
#include "cli/session/session.h"
#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "platform/console.h"
#include "shared/drive_tables.h"

int RunDrives(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  Session session(SESSION_COMMAND, options.json);
  ReadConnections();
  std::vector<NetworkDrive> drives = NetworkDrives(ConnectionTable, {});
  // one search, and only when a letter is connected, names the device at each address
  if (!drives.empty()) {
    if (const int status = session.SearchAll()) return status;
    drives = NetworkDrives(ConnectionTable, ListedDevices());
  }
  if (options.json) {
    platform::Print(stdout, "%s\n", DrivesJson(drives).c_str());
  } else if (drives.empty()) {
    PrintMessage("no network drive is connected");
  } else {
    for (const std::string& line : DriveTableLines(drives)) platform::Print(stdout, "%s\n", line.c_str());
  }
  return EXIT_DONE;
}
