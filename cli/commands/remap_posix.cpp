#include <cstdio>

#include "cli/commands/commands.h"
#include "cli/drive/drive_arguments.h"
#include "cli/text/exit_status.h"
#include "platform/console.h"

// Nothing is sent: the hint names the device as given.
int RunRemap(const Arguments& arguments) {
  platform::Print(stderr, "%s\n", RemountHint("remap", arguments.operands[1]).c_str());
  return EXIT_USAGE;
}
