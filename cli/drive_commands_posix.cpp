#include "cli/drive_commands.h"

#include <cstdio>

#include "cli/cli_commands.h"
#include "cli/drive_arguments.h"
#include "platform/console.h"

// The hint names the device's address as a search finds it.
int RunMap(const char* device, const char* share, const char*, const CliOptions& options) {
  const std::string refusal = CheckShareName(share);
  if (!refusal.empty()) {
    platform::Print(stderr, "%s\n", refusal.c_str());
    return EXIT_USAGE;
  }
  const DeviceRecord* found = nullptr;
  if (SearchAndSelect(device, options, found) == EXIT_USAGE) return EXIT_USAGE;
  platform::Print(stderr, "%s\n", MountHint(found ? found->ipText : nullptr, share).c_str());
  return EXIT_USAGE;
}

int RunUnmap(const char*) {
  platform::Print(stderr, "%s\n", UnmountHint().c_str());
  return EXIT_USAGE;
}
