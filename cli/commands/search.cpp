#include "cli/commands/commands.h"
#include "cli/session/session.h"
#include "cli/text/messages.h"
#include "cli/text/output.h"
#include "proto/every_interface_search.h"

int RunSearch(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  Session session(SESSION_COMMAND, options.json);
  if (const int status = session.Search()) return status;
  if (options.all) {
    if (const int status = session.ReadLate()) return status;
  }
  if (options.json) {
    PrintDeviceJson(stdout, ListedDevices());
  } else if (DeviceList.count == 0) {
    PrintMessage("no device answered on %d interface%s", SearchedInterfaceCount(),
                 SearchedInterfaceCount() == 1 ? "" : "s");
  } else {
    PrintDeviceTable(stdout, ListedDevices());
  }
  return DeviceList.count > 0 ? EXIT_DONE : EXIT_FAILED;
}
