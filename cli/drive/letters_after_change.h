// The drive letters of a device that set-dhcp or set-static moved: carried to
// its new address with --move-drives once the change went as asked, and
// otherwise named with the remap line that moves them.
#pragma once

#include <string>

// MoveDriveLetters, then the exit status of the moves: EXIT_FAILED when a
// letter stayed, EXIT_INTERRUPTED (said on stderr, with how many moved) when
// an interrupt cut them short.
int MoveLettersStatus(const char* oldAddress, const char* newAddress);

// `status`: what the search after the change made of it (EXIT_DONE: the device
// confirmed and answers where it confirmed); `oldAddress`: where it was before
// the change; `foundAt`: where it answers now, empty when nowhere. Returns the
// command's exit status: `status`, or after moves EXIT_DONE, EXIT_FAILED
// or EXIT_INTERRUPTED, as MoveLettersStatus gives them.
int FollowDriveLetters(int status, const char* oldAddress, const std::string& foundAt, bool move);
