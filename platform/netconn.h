// Network drive connections and drive types, one function per system call.
#pragma once

namespace platform {

inline constexpr unsigned long NET_OK = 0;  // NO_ERROR
inline constexpr unsigned long NET_CONNECT_UPDATE_PROFILE = 1;  // CONNECT_UPDATE_PROFILE
inline constexpr unsigned long NET_CONNECT_INTERACTIVE = 8;    // CONNECT_INTERACTIVE

// GetDriveTypeA values.
enum DriveType : unsigned {
  DRIVE_TYPE_UNKNOWN = 0,
  DRIVE_TYPE_NO_ROOT_DIR = 1,
  DRIVE_TYPE_REMOVABLE = 2,
  DRIVE_TYPE_FIXED = 3,
  DRIVE_TYPE_REMOTE = 4,
  DRIVE_TYPE_CDROM = 5,
  DRIVE_TYPE_RAMDISK = 6,
};

// WNetGetConnectionA: the remote name of a local drive ("E:"); *length is the
// buffer's size in, and the size needed when the buffer is too small.
unsigned long NetGetConnection(const char* localName, char* remoteName, unsigned long* length);
// GetDriveTypeA.
unsigned DriveTypeOf(const char* rootPath);
// WNetAddConnection2A for a disk resource (NETRESOURCEA with dwType
// RESOURCETYPE_DISK, no provider).
unsigned long NetAddConnection(const char* localName, const char* remoteName, const char* password,
                               const char* userName, unsigned long flags);
// WNetCancelConnection2A.
unsigned long NetCancelConnection(const char* name, unsigned long flags, bool force);

}  // namespace platform
