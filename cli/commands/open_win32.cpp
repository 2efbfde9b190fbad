#include "cli/commands/commands.h"
#include "cli/session/session.h"
#include "cli/text/messages.h"
#include "proto/exchanges.h"
#include "shared/open_commands.h"

int RunOpen(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  const DeviceRecord* found = nullptr;
  {
    Session session(SESSION_COMMAND, options.json);
    if (const int status = session.FindDevice(arguments.operands[0], found)) return status;
  }
  if (options.share ? OpenShareFolder(found->ipText) : OpenWebPage(found->ipText)) return EXIT_DONE;
  PrintMessage("could not start %s for %s", options.share ? "Explorer" : "the browser", found->ipText);
  return EXIT_FAILED;
}
