#include "cli/commands/commands.h"
#include "cli/session/search_interfaces.h"
#include "cli/session/session.h"
#include "cli/text/messages.h"
#include "cli/text/output.h"
#include "platform/console.h"
#include "proto/exchanges.h"

int RunShares(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  Session session(SESSION_COMMAND, options.json);
  const DeviceRecord* selected = nullptr;
  if (const int status = session.FindDevice(arguments.operands[0], selected)) return status;
  int answered = 0;
  if (const int status = session.Wait("asking for the shares", [&] {
        const InterfaceLease lease(selected->ipText);
        answered = QuerySharesOf(selected->ipText);
      }))
    return status;
  if (!answered) {
    PrintMessage("%s did not answer", selected->ipText);
    return EXIT_FAILED;
  }
  if (!ShareList.head && !options.json) platform::Print(stderr, "%s has no shares.\n", DeviceLabel(*selected).c_str());
  PrintShares(stdout, ShareList.head, options.json);
  return EXIT_DONE;
}
