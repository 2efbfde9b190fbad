#include <string>

#include "cli/command_line/completion.h"
#include "cli/commands/commands.h"
#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "platform/console.h"

// Not on the usage page: the build writes the scripts the packages install.
int RunCompletion(const Arguments& arguments) {
  const std::string script = CompletionScript(arguments.operands[0]);
  if (script.empty()) return UsageError("completion is for bash, zsh or fish");
  platform::Print(stdout, "%s", script.c_str());
  return EXIT_DONE;
}
