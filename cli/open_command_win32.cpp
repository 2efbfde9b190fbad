#include "cli/open_command.h"

#include <cstdio>

#include "proto/exchanges.h"
#include "shared/open_commands.h"

int RunOpen(const char* device, const CliOptions& options) {
  if (!FindDevice(device, options)) return EXIT_FAILED;
  if (options.share ? OpenShareFolder(SelectedDeviceIp) : OpenWebPage(SelectedDeviceIp)) return EXIT_DONE;
  std::fprintf(stderr, "lumaseek-cli: could not start %s for %s\n", options.share ? "Explorer" : "the browser",
               SelectedDeviceIp);
  return EXIT_FAILED;
}
