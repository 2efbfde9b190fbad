// The system's text for a network connection error, for the command line on
// Windows (its own file, so the window program's imports stay as they are).
#pragma once

namespace platform {

// The system's text for `code` into `out` (`size` bytes) as SystemErrorText
// gives it; for ERROR_EXTENDED_ERROR the network provider's own text
// (WNetGetLastErrorW) when it has one.
void NetErrorText(unsigned long code, char* out, int size);

}  // namespace platform
