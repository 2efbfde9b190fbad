#include "cli/commands/commands.h"
#include "cli/login/login_flow.h"
#include "cli/login/password_source.h"
#include "platform/console.h"

int RunLogin(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  if (const int status = CheckLoginOptions(options.user, options.password, options.passwordStdin)) return status;
  SecretText password;
  if (const int status = TakeGivenPassword(options.passwordStdin, options.password, password)) return status;
  Session session(SESSION_COMMAND, options.json);
  const DeviceRecord* selected = nullptr;
  if (const int status = session.FindDevice(arguments.operands[0], selected)) return status;
  if (const int status = LogIn(session, *selected, options.user, password)) return status;
  platform::Print(stdout, "Login accepted by %s\n", selected->ipText);
  return EXIT_DONE;
}
