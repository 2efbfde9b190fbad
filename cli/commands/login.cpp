#include "cli/commands/commands.h"
#include "cli/login/login_flow.h"
#include "platform/console.h"

int RunLogin(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  Session session(SESSION_COMMAND, options.json);
  const DeviceRecord* selected = nullptr;
  if (const int status = FindAndLogIn(session, arguments.operands[0], options.user, options.password,
                                      options.passwordStdin, selected))
    return status;
  platform::Print(stdout, "Login accepted by %s\n", selected->ipText);
  return EXIT_DONE;
}
