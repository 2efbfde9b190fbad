// lumaseek-cli: search for devices, list their shares, check a login, change
// a device's address, map its shares and open its pages from a console. The
// command line is read against the command table; the command's handler does
// the rest, and whatever it returns, an interrupt's 130 too, is the exit status.
#include <cstdio>

#include "cli/command_line/arguments.h"
#include "cli/command_line/help.h"
#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "cli/text/output.h"
#include "platform/console.h"
#include "platform/interrupt.h"

int main(int argc, char** argv) {
  platform::OpenClosedStandardStreams();
  platform::CatchInterrupts();
  const Arguments arguments = ReadArguments(argc, argv);
  if (arguments.help) {
    if (arguments.entry) {
      PrintCommandHelp(stdout, *arguments.entry);
    } else {
      PrintUsage(stdout);
    }
    return FinishOutput(stdout, EXIT_DONE);
  }
  if (!arguments.error.empty()) return UsageError(arguments.error);
  return FinishOutput(stdout, arguments.entry->run(arguments));
}
