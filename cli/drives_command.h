// drives and remap: the PC's network drive letters with the device each
// points at, and the letters of an old address moved to a device's address
// now. On Linux both say how to remount a share instead (exit 2).
#pragma once

#include "cli/cli_commands.h"

// Lists each connected letter with the device that answers at its address
// (one search, only when a letter is connected); 0.
int RunDrives(const CliOptions& options);
// Moves the letters of \\OLD-ADDRESS\SHARE to DEVICE's address (see
// MoveDriveLetters): 0 when every letter moved (or none was connected), 1
// when one could not, 2 for an OLD-ADDRESS that is no address.
int RunRemap(const char* oldAddress, const char* device, const CliOptions& options);
