#include "shared/drive_connect.h"

#include <cstring>

#include "platform/netconn.h"
#include "platform/windows_version.h"

namespace {

constexpr int SILENT_ATTEMPTS = 6;

// Up to `attempts` connection attempts; stops at the first that succeeds.
unsigned long Connect(const char* localName, const char* remoteName, int attempts, const char* password,
                      const char* userName, unsigned long flags) {
  unsigned long result = platform::NET_OK;
  for (int i = 0; i < attempts; ++i) {
    result = platform::NetAddConnection(localName, remoteName, password, userName, flags);
    if (result == platform::NET_OK) break;
  }
  return result;
}

}  // namespace

unsigned long ConnectShare(const char* localName, const char* remoteName, const char* userName,
                           const char* password, AskShareLogin ask) {
  char version[WINDOWS_VERSION_NAME_SIZE];
  GetWindowsVersionName(version, sizeof version);
  const bool isNt = std::strstr(version, "NT") != nullptr;
  const bool isVista = std::strstr(version, "Vista") != nullptr;

  platform::NetCancelConnection(localName, platform::NET_CONNECT_UPDATE_PROFILE, true);

  if (isNt) {
    ask();
    return ConnectSilently(localName, remoteName, userName, password, platform::NET_CONNECT_UPDATE_PROFILE);
  }
  unsigned long result =
      ConnectSilently(localName, remoteName, userName, password, platform::NET_CONNECT_UPDATE_PROFILE);
  if (result == platform::NET_OK) return result;
  if (isVista) {
    // the system asks for credentials itself
    return Connect(localName, remoteName, 1, "", "",
                   platform::NET_CONNECT_UPDATE_PROFILE | platform::NET_CONNECT_INTERACTIVE);
  }
  ask();
  return Connect(localName, remoteName, 1, password, userName, platform::NET_CONNECT_UPDATE_PROFILE);
}

unsigned long ConnectSilently(const char* localName, const char* remoteName, const char* userName,
                              const char* password, unsigned long flags) {
  return Connect(localName, remoteName, SILENT_ATTEMPTS, password, userName, flags);
}

unsigned long DisconnectDrive(const char* localName) {
  return platform::NetCancelConnection(localName, platform::NET_CONNECT_UPDATE_PROFILE, true);
}
