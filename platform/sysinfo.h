// System information: the Windows version (GetVersionExA) and the logon name
// of the current user (GetUserNameA).
#pragma once

namespace platform {

struct WindowsVersion {
  unsigned long platformId;
  unsigned long majorVersion;
  unsigned long minorVersion;
  unsigned long buildNumber;
};

// GetVersionExA with the basic 148-byte OSVERSIONINFOA; false when it fails.
bool QueryWindowsVersion(WindowsVersion* version);
// GetUserNameA into buffer of *size bytes; *size as the call leaves it.
bool QueryLogonName(char* buffer, unsigned long* size);

}  // namespace platform
