// The drive letter and share name of map and unmap as typed on the command line.
#pragma once

#include <string>

inline constexpr int DRIVE_NAME_SIZE = 3;  // "E:" and the terminator

// "E", "e", "E:" or "e:" to "E:"; false for anything else.
bool ReadDriveLetter(const char* text, char (&localName)[DRIVE_NAME_SIZE]);
// ReadDriveLetter, saying on stderr what a drive letter is when `text` is none.
bool TakeDriveLetter(const char* text, char (&localName)[DRIVE_NAME_SIZE]);

// Empty when `share` can follow "\\ADDRESS\" as one share name (not empty, no
// backslash or slash, fits the share cells of the drive tables); otherwise the
// message that refuses it.
std::string CheckShareName(const char* share);

// The one line that tells a Linux user to mount the share with mount.cifs
// (map) or to unmount it (unmap, share null). DEVICE is used as the address
// when it is a dotted address.
std::string MountHint(const char* device, const char* share);
