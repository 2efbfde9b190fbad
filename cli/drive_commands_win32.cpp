#include "cli/drive_commands.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli_output.h"
#include "cli/drive_arguments.h"
#include "cli/password_source.h"
#include "cli/secret_text.h"
#include "platform/console.h"
#include "platform/netconn.h"
#include "platform/netconn_text.h"
#include "proto/exchanges.h"
#include "shared/drive_connect.h"
#include "shared/drive_tables.h"

namespace {

// "lumaseek-cli: cannot <what> (<the system's reason>)"
int Refused(const std::string& what, unsigned long code) {
  char reason[256];
  platform::NetErrorText(code, reason, sizeof reason);
  platform::Print(stderr, "lumaseek-cli: cannot %s (%s)\n", what.c_str(), SystemText(reason).c_str());
  return EXIT_FAILED;
}

// Where the page asks again, the command line has nothing new to give.
void KeepShareLogin() {}

// The letter to map: the one given when the page would offer it free, or the
// first free one; false, said on stderr, when there is none.
bool ChooseLetter(const char* letter, char (&localName)[DRIVE_NAME_SIZE]) {
  ReadConnections();
  if (!letter) {
    const int free = FirstFreeLetter();
    if (free < 0) {
      platform::Print(stderr, "lumaseek-cli: no drive letter is free\n");
      return false;
    }
    std::snprintf(localName, sizeof localName, "%s", ConnectionTable[free].driveText);
    return true;
  }
  const int row = localName[0] - 'A';
  if (!OffersNetworkDrive(row)) {
    platform::Print(stderr, "lumaseek-cli: %s cannot take a network drive (A: to C: and local drives never do)\n",
                 localName);
    return false;
  }
  const ConnectionRow& connected = ConnectionTable[row];
  if (HasConnection(connected)) {
    // the page would cancel it, forced, open files or not
    platform::Print(stderr, "lumaseek-cli: %s is connected to \\\\%s\\%s; unmap it first\n", localName,
                 SystemText(connected.serverText).c_str(), SystemText(connected.shareText).c_str());
    return false;
  }
  return true;
}

}  // namespace

int RunMap(const char* device, const char* share, const char* letter, const CliOptions& options) {
  char localName[DRIVE_NAME_SIZE] = "";
  if (letter && !ReadDriveLetter(letter, localName)) {
    platform::Print(stderr, "lumaseek-cli: a drive letter is E or E:, not %s\n", Printable(letter).c_str());
    return EXIT_USAGE;
  }
  const std::string refusal = CheckShareName(share);
  if (!refusal.empty()) {
    platform::Print(stderr, "%s\n", refusal.c_str());
    return EXIT_USAGE;
  }
  SecretText password;
  if (const int status = TakeGivenPassword(options.passwordStdin, options.password, password)) return status;
  if (!ChooseLetter(letter, localName)) return EXIT_FAILED;
  const DeviceRecord* found = nullptr;
  if (const int status = SearchAndSelect(device, options, found)) return status;

  char remoteName[REMOTE_SHARE_NAME_SIZE];
  std::snprintf(remoteName, sizeof remoteName, "\\\\%s\\%s", found->ipText, share);
  // The user and password given, where the page starts with none (the
  // logged-on user's).
  const unsigned long result = ConnectShare(localName, remoteName, options.user ? options.user : "",
                                            password.Given() ? password.Text() : "", KeepShareLogin);
  password.Clear();
  if (result != platform::NET_OK)
    return Refused(std::string("connect ") + localName + " to " + SystemText(remoteName), result);
  platform::Print(stdout, "%s\n", localName);
  return EXIT_DONE;
}

int RunUnmap(const char* letter) {
  char localName[DRIVE_NAME_SIZE];
  if (!ReadDriveLetter(letter, localName)) {
    platform::Print(stderr, "lumaseek-cli: a drive letter is E or E:, not %s\n", Printable(letter).c_str());
    return EXIT_USAGE;
  }
  ReadConnections();
  if (!OffersNetworkDrive(localName[0] - 'A')) {
    platform::Print(stderr, "lumaseek-cli: %s is no network drive (A: to C: and local drives never are)\n", localName);
    return EXIT_FAILED;
  }
  const unsigned long result = DisconnectDrive(localName);
  return result == platform::NET_OK ? EXIT_DONE : Refused(std::string("disconnect ") + localName, result);
}
