#include <cstdio>

#include "cli/commands/commands.h"
#include "cli/drive/drive_arguments.h"
#include "cli/login/login_flow.h"
#include "cli/session/session.h"
#include "platform/console.h"

// The hint names the device's address as a search finds it.
int RunMap(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  if (const int status = CheckLoginOptions(options.user, options.password, options.passwordStdin)) return status;
  const char* share = arguments.operands[1];
  const std::string refusal = CheckShareName(share);
  if (!refusal.empty()) {
    platform::Print(stderr, "%s\n", refusal.c_str());
    return EXIT_USAGE;
  }
  Session session(SESSION_COMMAND, false);
  const DeviceRecord* found = nullptr;
  const int status = session.FindDevice(arguments.operands[0], found);
  if (status == EXIT_USAGE || status == EXIT_INTERRUPTED) return status;
  platform::Print(stderr, "%s\n", MountHint(found ? found->ipText : nullptr, share).c_str());
  return EXIT_USAGE;
}
