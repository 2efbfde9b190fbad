#include "shared/drive_connect.h"

#include <cstring>

#include "platform/netconn.h"
#include "platform/windows_version.h"

namespace {

constexpr int SILENT_ATTEMPTS = 6;

// Up to `attempts` connection attempts; stops at the first that succeeds.
unsigned long Connect(const char* localName, const char* remoteName, int attempts, const char* password,
                      const char* userName, unsigned long flags) {
  unsigned long result = platform::kNetOk;
  for (int i = 0; i < attempts; ++i) {
    result = platform::NetAddConnection(localName, remoteName, password, userName, flags);
    if (result == platform::kNetOk) break;
  }
  return result;
}

}  // namespace

unsigned long ConnectShare(const char* localName, const char* remoteName, AskShareLogin ask) {
  char version[kWindowsVersionNameSize];
  GetWindowsVersionName(version, sizeof version);
  const bool isNt = std::strstr(version, "NT") != nullptr;
  const bool isVista = std::strstr(version, "Vista") != nullptr;

  platform::NetCancelConnection(localName, platform::kConnectUpdateProfile, true);

  if (isNt) {
    ask();
    return Connect(localName, remoteName, SILENT_ATTEMPTS, LoginPassword, LoginUserName,
                   platform::kConnectUpdateProfile);
  }
  unsigned long result = Connect(localName, remoteName, SILENT_ATTEMPTS, LoginPassword, LoginUserName,
                                 platform::kConnectUpdateProfile);
  if (result == platform::kNetOk) return result;
  if (isVista) {
    // the system asks for credentials itself
    return Connect(localName, remoteName, 1, "", "",
                   platform::kConnectUpdateProfile | platform::kConnectInteractive);
  }
  ask();
  return Connect(localName, remoteName, 1, LoginPassword, LoginUserName, platform::kConnectUpdateProfile);
}

unsigned long DisconnectDrive(const char* localName) {
  return platform::NetCancelConnection(localName, platform::kConnectUpdateProfile, true);
}
