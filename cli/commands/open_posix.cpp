#include <cstdio>

#include "cli/commands/commands.h"
#include "cli/session/session.h"
#include "cli/text/messages.h"
#include "platform/desktop_open.h"
#include "proto/exchanges.h"

// The share root as smb://ADDRESS/, which the desktop's file manager lists.
int RunOpen(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  const DeviceRecord* found = nullptr;
  {
    Session session(SESSION_COMMAND, options.json);
    if (const int status = session.FindDevice(arguments.operands[0], found)) return status;
  }
  char url[8 + ADDRESS_TEXT_SIZE];
  std::snprintf(url, sizeof url, options.share ? "smb://%s/" : "http://%s", found->ipText);
  char reason[128];
  if (platform::OpenWithDesktop(url, reason, sizeof reason)) return EXIT_DONE;
  PrintMessage("%s", reason);
  return EXIT_FAILED;
}
