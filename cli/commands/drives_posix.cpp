#include <cstdio>

#include "cli/commands/commands.h"
#include "cli/drive/drive_arguments.h"
#include "cli/text/exit_status.h"
#include "platform/console.h"

// Nothing is sent: a Linux PC has no drive letters.
int RunDrives(const Arguments&) {
  platform::Print(stderr, "%s\n", RemountHint("drives", nullptr).c_str());
  return EXIT_USAGE;
}
