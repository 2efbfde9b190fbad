#include <cstdio>

#include "cli/commands/commands.h"
#include "cli/drive/drive_arguments.h"
#include "cli/text/exit_status.h"
#include "platform/console.h"

int RunUnmap(const Arguments&) {
  platform::Print(stderr, "%s\n", UnmountHint().c_str());
  return EXIT_USAGE;
}
