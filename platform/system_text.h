// The system's own texts as the command line on Windows writes them: UTF-8,
// whatever the ANSI code page (its own file, so the window program's imports
// stay as they are).
#pragma once

#include <cstddef>

namespace platform {

// `text` (`length` UTF-16 units) into `out` (`size` bytes) as UTF-8 without
// its line end or full stop; false when nothing is left or it does not fit.
bool SystemTextUtf8(const wchar_t* text, std::size_t length, char* out, int size);
// FormatMessageW's text for `code` by SystemTextUtf8; "error N" when the
// system has none.
void SystemErrorText(unsigned long code, char* out, int size);

}  // namespace platform
