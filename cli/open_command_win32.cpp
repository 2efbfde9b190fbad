#include "cli/open_command.h"

#include <cstdio>

#include "platform/console.h"
#include "proto/exchanges.h"
#include "shared/open_commands.h"

int RunOpen(const char* device, const CliOptions& options) {
  const DeviceRecord* found = nullptr;
  if (const int status = SearchAndSelect(device, options, found)) return status;
  if (options.share ? OpenShareFolder(found->ipText) : OpenWebPage(found->ipText)) return EXIT_DONE;
  platform::Print(stderr, "lumaseek-cli: could not start %s for %s\n", options.share ? "Explorer" : "the browser",
               found->ipText);
  return EXIT_FAILED;
}
