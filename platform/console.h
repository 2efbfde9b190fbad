// The console as the command-line client uses it: whether a stream is a
// terminal, and reading a password without echo.
#pragma once

namespace platform {

bool StdinIsTerminal();
bool StderrIsTerminal();
// Reads one line from the terminal with echo off into `out` (the line end
// dropped, the text cut to size - 1 characters); false at end of input.
bool ReadLineHidden(char* out, int size);

}  // namespace platform
