#include <cstring>

#include "cli/address/address_input.h"
#include "cli/commands/commands.h"
#include "cli/drive/drive_moves.h"
#include "cli/drive/letters_after_change.h"
#include "cli/session/session.h"
#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "cli/text/output.h"

int RunRemap(const Arguments& arguments) {
  const char* oldAddress = arguments.operands[0];
  char old[ADDRESS_TEXT_SIZE];
  if (!ReadAddress(oldAddress, old)) {
    PrintMessage("OLD-ADDRESS is a dotted address such as 192.168.1.20, not '%s'", Echoed(oldAddress).c_str());
    return EXIT_USAGE;
  }
  if (DriveLettersAt(old).empty()) {
    PrintMessage("no drive letter is connected to a share at %s", old);
    return EXIT_DONE;
  }
  const DeviceRecord* found = nullptr;
  {
    Session session(SESSION_COMMAND, arguments.options.json);
    if (const int status = session.FindDevice(arguments.operands[1], found)) return status;
  }
  if (std::strcmp(found->ipText, old) == 0) {
    PrintMessage("%s still answers at %s: its letters need no move", Printable(found->name).c_str(), old);
    return EXIT_DONE;
  }
  return MoveLettersStatus(old, found->ipText);
}
