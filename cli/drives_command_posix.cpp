#include "cli/drives_command.h"

#include <cstdio>

#include "cli/drive_arguments.h"
#include "platform/console.h"

// Nothing is sent: the hint names the device as given.
int RunDrives(const CliOptions&) {
  platform::Print(stderr, "%s\n", RemountHint("drives", nullptr).c_str());
  return EXIT_USAGE;
}

int RunRemap(const char*, const char* device, const CliOptions&) {
  platform::Print(stderr, "%s\n", RemountHint("remap", device).c_str());
  return EXIT_USAGE;
}
