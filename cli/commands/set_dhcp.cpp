#include "cli/commands/commands.h"
#include "cli/login/login_flow.h"
#include "cli/session/search_interfaces.h"
#include "proto/exchanges.h"

int RunSetDhcp(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  Session session(SESSION_COMMAND, options.json);
  const DeviceRecord* selected = nullptr;
  if (const int status = FindAndLogIn(session, arguments.operands[0], options.user, options.password,
                                      options.passwordStdin, selected))
    return status;
  int confirmed = 0;
  if (const int status = session.Wait("waiting for the device to confirm", [&] {
        char newIp[ADDRESS_TEXT_SIZE];
        const InterfaceLease lease(selected->ipText);
        confirmed = ChangeToDhcp(selected->ipText, newIp);
      }))
    return status;
  return session.ShowAfterChange(*selected, confirmed, "");
}
