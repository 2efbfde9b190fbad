#include <string>

#include "cli/commands/commands.h"
#include "cli/drive/drive_arguments.h"
#include "cli/drive/net_refusal.h"
#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "platform/netconn.h"
#include "shared/drive_connect.h"
#include "shared/drive_tables.h"

int RunUnmap(const Arguments& arguments) {
  char localName[DRIVE_NAME_SIZE];
  if (!TakeDriveLetter(arguments.operands[0], localName)) return EXIT_USAGE;
  ReadConnections();
  if (!OffersNetworkDrive(localName[0] - 'A')) {
    PrintMessage("%s is no network drive (A: to C: and local drives never are)", localName);
    return EXIT_FAILED;
  }
  const unsigned long result = DisconnectDrive(localName);
  return result == platform::NET_OK ? EXIT_DONE : ReportNetRefusal(std::string("disconnect ") + localName, result);
}
