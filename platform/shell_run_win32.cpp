// Starting programs, apart from the shell's COM calls: the command line links
// these without ole32.
#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

unsigned RunCommandLine(const char* commandLine, int showMode) {
  return WinExec(commandLine, static_cast<UINT>(showMode));
}

bool ShellOpen(const char* verb, const char* file, const char* parameters, int showMode) {
  // values above 32 mean started
  return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, verb, file, parameters, nullptr, showMode)) > 32;
}

}  // namespace platform
