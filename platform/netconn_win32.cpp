#include "platform/netconn.h"

#include <windows.h>
#include <winnetwk.h>

namespace platform {

unsigned long NetGetConnection(const char* localName, char* remoteName, unsigned long* length) {
  DWORD size = static_cast<DWORD>(*length);
  DWORD rc = WNetGetConnectionA(localName, remoteName, &size);
  *length = size;
  return rc;
}

unsigned DriveTypeOf(const char* rootPath) { return GetDriveTypeA(rootPath); }

unsigned long NetAddConnection(const char* localName, const char* remoteName, const char* password,
                               const char* userName, unsigned long flags) {
  NETRESOURCEA resource = {};
  resource.dwType = RESOURCETYPE_DISK;
  // The API takes non-const pointers but does not write through them.
  resource.lpLocalName = const_cast<char*>(localName);
  resource.lpRemoteName = const_cast<char*>(remoteName);
  resource.lpProvider = nullptr;
  return WNetAddConnection2A(&resource, password, userName, static_cast<DWORD>(flags));
}

unsigned long NetCancelConnection(const char* name, unsigned long flags, bool force) {
  return WNetCancelConnection2A(name, static_cast<DWORD>(flags), force ? TRUE : FALSE);
}

}  // namespace platform
