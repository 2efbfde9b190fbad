// Ctrl-C and its kin as the command-line client sees them: a flag to test at
// the next poll instead of the process ending in the middle of an exchange.
#pragma once

namespace platform {

// From now on SIGINT and SIGTERM (POSIX), or Ctrl-C, Ctrl-Break and the
// console closing (Windows), set the flag instead of ending the process.
void CatchInterrupts();
// True once one of them arrived.
bool Interrupted();

}  // namespace platform
