#include "cli/open_command.h"

#include <cstdio>

#include "platform/console.h"
#include "platform/desktop_open.h"
#include "proto/exchanges.h"

// The share root as smb://ADDRESS/, which the desktop's file manager lists.
int RunOpen(const char* device, const CliOptions& options) {
  const DeviceRecord* found = nullptr;
  if (const int status = SearchAndSelect(device, options, found)) return status;
  char url[8 + ADDRESS_TEXT_SIZE];
  std::snprintf(url, sizeof url, options.share ? "smb://%s/" : "http://%s", found->ipText);
  char reason[128];
  if (platform::OpenWithDesktop(url, reason, sizeof reason)) return EXIT_DONE;
  platform::Print(stderr, "lumaseek-cli: %s\n", reason);
  return EXIT_FAILED;
}
