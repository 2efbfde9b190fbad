#include "cli/commands/commands.h"
#include "cli/text/exit_status.h"
#include "lumaseek_version.h"
#include "platform/console.h"

int RunVersion(const Arguments&) {
  platform::Print(stdout, "lumaseek-cli %s\n", LUMASEEK_VERSION);
  return EXIT_DONE;
}
