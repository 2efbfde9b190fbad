#include "platform/sysinfo.h"

#include <windows.h>

namespace platform {

bool QueryWindowsVersion(WindowsVersion* version) {
  OSVERSIONINFOA info = {};
  static_assert(sizeof(info) == 148, "the basic record, not OSVERSIONINFOEXA");
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return false;
  *version = {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
  return true;
}

bool QueryLogonName(char* buffer, unsigned long* size) {
  DWORD length = static_cast<DWORD>(*size);
  BOOL ok = GetUserNameA(buffer, &length);
  *size = length;
  return ok != FALSE;
}

}  // namespace platform
