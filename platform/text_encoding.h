// Text from the system's 8-bit interfaces as UTF-8: device names as the
// program keeps them and the command line's arguments.
#pragma once

#include <string>

namespace platform {

// Windows: converted from the ANSI code page, or the bytes unchanged when the
// code page does not map them all. Elsewhere the bytes unchanged: they are
// UTF-8 already, or not text at all.
std::string AnsiToUtf8(const char* text);

}  // namespace platform
