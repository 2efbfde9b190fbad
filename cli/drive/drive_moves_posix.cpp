#include "cli/drive/drive_moves.h"

#include <cstdio>

#include "cli/drive/drive_arguments.h"
#include "platform/console.h"

std::vector<std::string> DriveLettersAt(const char*) { return {}; }

DriveMoves MoveDriveLetters(const char*, const char* newAddress) {
  platform::Print(stderr, "%s\n", RemountHint("moving drive letters", newAddress).c_str());
  return {};
}
