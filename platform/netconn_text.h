// The system's text for a network connection error, for the command line on
// Windows (its own file, so the window program's imports stay as they are).
#pragma once

namespace platform {

// FormatMessageA's text for `code` into `out` (`size` bytes), the line end and
// full stop dropped; for ERROR_EXTENDED_ERROR the network provider's own text
// (WNetGetLastErrorA); "error N" when the system has none.
void NetErrorText(unsigned long code, char* out, int size);

}  // namespace platform
