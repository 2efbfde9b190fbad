#include <string>

#include "cli/commands/commands.h"
#include "cli/drive/drive_arguments.h"
#include "cli/drive/net_refusal.h"
#include "cli/text/exit_status.h"
#include "platform/netconn.h"
#include "shared/drive_connect.h"

int RunUnmap(const Arguments& arguments) {
  char localName[DRIVE_NAME_SIZE];
  if (!TakeDriveLetter(arguments.operands[0], localName)) return EXIT_USAGE;
  const unsigned long result = DisconnectDrive(localName);
  return result == platform::NET_OK ? EXIT_DONE : ReportNetRefusal(std::string("disconnect ") + localName, result);
}
