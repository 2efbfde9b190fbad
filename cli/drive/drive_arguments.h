// The drive letter and share name of map and unmap as typed on the command
// line, and the hints the drive commands give.
#pragma once

#include <string>
#include <vector>

inline constexpr int DRIVE_NAME_SIZE = 3;  // "E:" and the terminator

// "E", "e", "E:" or "e:" to "E:"; false for anything else.
bool ReadDriveLetter(const char* text, char (&localName)[DRIVE_NAME_SIZE]);
// ReadDriveLetter, saying on stderr what a drive letter is when `text` is none.
bool TakeDriveLetter(const char* text, char (&localName)[DRIVE_NAME_SIZE]);

// Empty when `share` can follow "\\ADDRESS\" as one share name (not empty, no
// backslash or slash, fits the share cells of the drive tables); otherwise the
// message that refuses it.
std::string CheckShareName(const char* share);

// The one line that tells a Linux user to mount the share with mount.cifs,
// at the device's address (null: the device was not found), the share
// quoted for a shell where it needs to be.
std::string MountHint(const char* address, const char* share);
// The one line that tells a Linux user to unmount the share's folder.
std::string UnmountHint();
// The line that tells a Linux user how to move a mounted share to a device's
// new address, for `command` (drives or remap); DEVICE (null: none given) is
// used as the address when it is a dotted address.
std::string RemountHint(const char* command, const char* device);
// After a device moved: "E:, F: still point at OLD: move them with:
// lumaseek-cli remap OLD NEW"; empty for no letters (as on Linux, where
// DriveLettersAt finds none).
std::string StrandedDrivesHint(const std::vector<std::string>& letters, const char* oldAddress,
                               const char* newAddress);
