#include <string>

#include "cli/address/usable_address.h"
#include "cli/commands/commands.h"
#include "cli/drive/letters_after_change.h"
#include "cli/login/login_flow.h"
#include "cli/login/password_source.h"
#include "cli/session/search_interfaces.h"
#include "cli/text/messages.h"
#include "proto/exchanges.h"

int RunSetStatic(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  if (const int status = CheckLoginOptions(options.user, options.password, options.passwordStdin)) return status;
  const std::vector<const char*>& operands = arguments.operands;
  char ipText[ADDRESS_TEXT_SIZE], netmaskText[ADDRESS_TEXT_SIZE], gatewayText[ADDRESS_TEXT_SIZE];
  const std::string refusal =
      CheckUsableAddresses(operands[1], operands[2], operands[3], ipText, netmaskText, gatewayText);
  if (!refusal.empty()) {
    PrintMessage("%s", refusal.c_str());
    return EXIT_USAGE;
  }
  SecretText password;
  if (const int status = TakeGivenPassword(options.passwordStdin, options.password, password)) return status;
  Session session(SESSION_COMMAND, options.json);
  const DeviceRecord* selected = nullptr;
  if (const int status = session.FindDevice(operands[0], selected)) return status;
  const std::string holder = AddressHolder(ipText, *selected, ListedDevices());
  if (!holder.empty() && !options.force) {
    PrintMessage("%s already uses %s: two hosts at one address lose each other's traffic; add --force to set it anyway",
                 holder.c_str(), ipText);
    return EXIT_USAGE;
  }
  if (!holder.empty()) PrintMessage("warning: %s already uses %s", holder.c_str(), ipText);
  const std::string outside = OutsideLocalSubnets(ipText);
  if (!outside.empty()) PrintMessage("warning: %s", outside.c_str());
  if (const int status = LogIn(session, *selected, options.user, password)) return status;
  const std::string oldAddress = selected->ipText;  // the exchange moves the record
  int confirmed = 0;
  if (const int status = session.Wait("waiting for the device to confirm", [&] {
        const InterfaceLease lease(selected->ipText);
        confirmed = ChangeToStatic(selected->ipText, ipText, netmaskText, gatewayText);
      }))
    return status;
  std::string foundAt;
  const int status = session.ShowAfterChange(*selected, confirmed, ipText, foundAt);
  return FollowDriveLetters(status, oldAddress.c_str(), foundAt, options.moveDrives);
}
