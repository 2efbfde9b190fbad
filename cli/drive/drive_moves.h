// Drive letters that follow a device to its new address: remap runs these,
// and so can any command that knows a device moved (a change it made, or a
// move watch saw). On Linux there are no letters: a Linux user remounts.
#pragma once

#include <string>
#include <vector>

struct DriveMoves {
  int moved = 0;   // letters now connected to the new address
  int stayed = 0;  // letters left as they were (or, said on stderr, left free)
};

// The letters ("E:"), A to Z, connected now to \\address\SHARE, as the Drive
// Mapping page reads the connections; none on Linux.
std::vector<std::string> DriveLettersAt(const char* address);

// Moves every letter connected to \\oldAddress\SHARE to \\newAddress\SHARE:
// the same letter and share, persistent, with the user name the connection
// had and the system's password for it. The new share must take that login
// before the letter lets go of the old one; a letter the system will not
// release (open files) is left alone, and one the new share refused stays as
// it was. Prints "E: \\NEW\SHARE" on stdout for each letter moved, and on
// stderr why each other letter stayed, with the commands that complete its
// move. After an interrupt the letters not yet begun stay, unsaid: the
// caller reports the interrupt. On Linux it prints how to remount instead and
// moves nothing.
DriveMoves MoveDriveLetters(const char* oldAddress, const char* newAddress);
