#include "cli/commands/commands.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/text/output.h"
#include "cli/drive/drive_arguments.h"
#include "cli/drive/net_refusal.h"
#include "cli/login/login_flow.h"
#include "cli/login/password_source.h"
#include "cli/login/secret_text.h"
#include "cli/session/session.h"
#include "cli/text/messages.h"
#include "platform/console.h"
#include "platform/netconn.h"
#include "platform/netconn_text.h"
#include "proto/exchanges.h"
#include "shared/drive_connect.h"
#include "shared/drive_tables.h"

namespace {

// Where the page asks again, the command line has nothing new to give.
void KeepShareLogin() {}

// The letter to map: the one given when the page would offer it free, or the
// first free one; false, said on stderr, when there is none.
bool ChooseLetter(const char* letter, char (&localName)[DRIVE_NAME_SIZE]) {
  ReadConnections();
  if (!letter) {
    const int free = FirstFreeLetter();
    if (free < 0) {
      PrintMessage("no drive letter is free");
      return false;
    }
    std::snprintf(localName, sizeof localName, "%s", ConnectionTable[free].driveText);
    return true;
  }
  const int row = localName[0] - 'A';
  if (!OffersNetworkDrive(row)) {
    PrintMessage("%s cannot take a network drive (A: to C: and local drives never do)", localName);
    return false;
  }
  const ConnectionRow& connected = ConnectionTable[row];
  if (HasConnection(connected)) {
    // the page would cancel it, forced, open files or not
    PrintMessage("%s is connected to \\\\%s\\%s; unmap it first", localName, SystemText(connected.serverText).c_str(),
                 SystemText(connected.shareText).c_str());
    return false;
  }
  return true;
}

}  // namespace

int RunMap(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  if (const int status = CheckLoginOptions(options.user, options.password, options.passwordStdin)) return status;
  const char* device = arguments.operands[0];
  const char* share = arguments.operands[1];
  const char* letter = arguments.operands.size() > 2 ? arguments.operands[2] : nullptr;
  char localName[DRIVE_NAME_SIZE] = "";
  if (letter && !TakeDriveLetter(letter, localName)) return EXIT_USAGE;
  const std::string refusal = CheckShareName(share);
  if (!refusal.empty()) {
    platform::Print(stderr, "%s\n", refusal.c_str());
    return EXIT_USAGE;
  }
  SecretText password;
  if (const int status = TakeGivenPassword(options.passwordStdin, options.password, password)) return status;
  if (!ChooseLetter(letter, localName)) return EXIT_FAILED;
  Session session(SESSION_COMMAND, options.json);
  const DeviceRecord* found = nullptr;
  if (const int status = session.FindDevice(device, found)) return status;

  char remoteName[REMOTE_SHARE_NAME_SIZE];
  std::snprintf(remoteName, sizeof remoteName, "\\\\%s\\%s", found->ipText, share);
  // The user and password given, where the page starts with none (the
  // logged-on user's).
  const unsigned long result = ConnectShare(localName, remoteName, options.user ? options.user : "",
                                            password.Given() ? password.Text() : "", KeepShareLogin);
  password.Clear();
  if (result != platform::NET_OK)
    return ReportNetRefusal(std::string("connect ") + localName + " to " + SystemText(remoteName), result);
  platform::Print(stdout, "%s\n", localName);
  return EXIT_DONE;
}
