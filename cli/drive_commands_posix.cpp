#include "cli/drive_commands.h"

#include <cstdio>

#include "cli/drive_arguments.h"
#include "platform/console.h"

// Nothing is sent: the hint names the device as given.
int RunMap(const char* device, const char* share, const char*, const CliOptions&) {
  platform::Print(stderr, "%s\n", MountHint(device, share).c_str());
  return EXIT_USAGE;
}

int RunUnmap(const char*) {
  platform::Print(stderr, "%s\n", MountHint(nullptr, nullptr).c_str());
  return EXIT_USAGE;
}
