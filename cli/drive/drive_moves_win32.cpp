#include "cli/drive/drive_moves.h"

#include <cstdio>

#include "cli/drive/net_refusal.h"
#include "cli/drive/network_drives.h"
#include "cli/text/messages.h"
#include "platform/console.h"
#include "platform/interrupt.h"
#include "platform/net_user.h"
#include "platform/netconn.h"
#include "shared/drive_connect.h"
#include "shared/drive_tables.h"

namespace {

constexpr int USER_NAME_SIZE = 256;

// The user name the letter's connection was made with; false when the system
// does not say.
bool ConnectionUser(const char* letter, char (&user)[USER_NAME_SIZE]) {
  unsigned long length = sizeof user;
  return platform::NetGetUser(letter, user, &length) == platform::NET_OK && user[0];
}

// One letter: a connection without a letter proves the new share takes the
// login while the old one still holds; only then is the letter let go, never
// forced, and connected anew. Where that last step fails, the old connection
// is made again.
bool MoveLetter(const ConnectionRow& row, const char* newAddress) {
  char user[USER_NAME_SIZE];
  const char* userName = ConnectionUser(row.driveText, user) ? user : nullptr;
  const std::string oldRemote = RemoteShareName(row.serverText, row.shareText);
  const std::string newRemote = RemoteShareName(newAddress, row.shareText);
  const std::string shownOld = ShownRemoteName(row.serverText, row.shareText),
                    shownNew = ShownRemoteName(newAddress, row.shareText);
  const std::string retry = MapLine(row.driveText, newAddress, row.shareText, userName, true);

  unsigned long result = ConnectSilently(nullptr, newRemote.c_str(), userName, nullptr, 0);
  if (result != platform::NET_OK) {
    PrintMessage("%s stays on %s: %s refused the login (%s); with another login: %s", row.driveText,
                 shownOld.c_str(), shownNew.c_str(), NetRefusalReason(result).c_str(), retry.c_str());
    return false;
  }
  result = platform::NetCancelConnection(row.driveText, platform::NET_CONNECT_UPDATE_PROFILE, false);
  if (result != platform::NET_OK) {
    platform::NetCancelConnection(newRemote.c_str(), 0, false);
    PrintMessage("%s stays on %s: Windows will not release it (%s); close what is open on it and run remap again",
                 row.driveText, shownOld.c_str(), NetRefusalReason(result).c_str());
    return false;
  }
  result = ConnectSilently(row.driveText, newRemote.c_str(), userName, nullptr, platform::NET_CONNECT_UPDATE_PROFILE);
  platform::NetCancelConnection(newRemote.c_str(), 0, false);
  if (result == platform::NET_OK) {
    platform::Print(stdout, "%s %s\n", row.driveText, shownNew.c_str());
    return true;
  }
  const std::string refusal = NetRefusalReason(result);
  const unsigned long restored =
      ConnectSilently(row.driveText, oldRemote.c_str(), userName, nullptr, platform::NET_CONNECT_UPDATE_PROFILE);
  if (restored == platform::NET_OK) {
    PrintMessage("%s stays on %s: cannot connect it to %s (%s); to finish the move: %s", row.driveText,
                 shownOld.c_str(), shownNew.c_str(), refusal.c_str(), retry.c_str());
  } else {
    const std::string connect = MapLine(row.driveText, newAddress, row.shareText, userName, false);
    PrintMessage("%s is free: cannot connect it to %s (%s), nor again to %s (%s); connect it with: %s",
                 row.driveText, shownNew.c_str(), refusal.c_str(), shownOld.c_str(), NetRefusalReason(restored).c_str(),
                 connect.c_str());
  }
  return false;
}

}  // namespace

std::vector<std::string> DriveLettersAt(const char* address) {
  ReadConnections();
  std::vector<std::string> letters;
  for (const ConnectionRow* row : RowsConnectedTo(ConnectionTable, address)) letters.push_back(row->driveText);
  return letters;
}

DriveMoves MoveDriveLetters(const char* oldAddress, const char* newAddress) {
  ReadConnections();
  DriveMoves moves;
  for (const ConnectionRow* row : RowsConnectedTo(ConnectionTable, oldAddress)) {
    // between letters only: a letter once let go is always connected again
    if (platform::Interrupted()) {
      ++moves.stayed;
      continue;
    }
    ++(MoveLetter(*row, newAddress) ? moves.moved : moves.stayed);
  }
  return moves;
}
