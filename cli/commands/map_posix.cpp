#include <cstdio>

#include "cli/commands/commands.h"
#include "cli/drive/drive_arguments.h"
#include "cli/login/login_flow.h"
#include "platform/console.h"

// Nothing is sent: the hint names the device as given.
int RunMap(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  if (const int status = CheckLoginOptions(options.user, options.password, options.passwordStdin)) return status;
  platform::Print(stderr, "%s\n", MountHint(arguments.operands[0], arguments.operands[1]).c_str());
  return EXIT_USAGE;
}
