#include "cli/drive/letters_after_change.h"

#include "cli/drive/drive_arguments.h"
#include "cli/drive/drive_moves.h"
#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "platform/interrupt.h"

int MoveLettersStatus(const char* oldAddress, const char* newAddress) {
  const DriveMoves moves = MoveDriveLetters(oldAddress, newAddress);
  if (platform::Interrupted()) {
    PrintMessage("interrupted while moving the drive letters; %d moved, %d left as they were", moves.moved,
                 moves.stayed);
    return EXIT_INTERRUPTED;
  }
  return moves.stayed ? EXIT_FAILED : EXIT_DONE;
}

int FollowDriveLetters(int status, const char* oldAddress, const std::string& foundAt, bool move) {
  if (foundAt.empty() || foundAt == oldAddress) return status;
  // Only a change the device confirmed, found again where it confirmed, moves
  // letters: anything else might move them to where the device is not.
  if (!move || status != EXIT_DONE) {
    const std::string hint = StrandedDrivesHint(DriveLettersAt(oldAddress), oldAddress, foundAt.c_str());
    if (!hint.empty()) PrintMessage("%s", hint.c_str());
    return status;
  }
  return MoveLettersStatus(oldAddress, foundAt.c_str());
}
