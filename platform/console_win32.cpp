#include <windows.h>
#include <io.h>

#include <cstdio>
#include <cstring>

#include "platform/console.h"

namespace platform {

bool StdinIsTerminal() { return _isatty(_fileno(stdin)) != 0; }
bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

bool ReadLineHidden(char* out, int size) {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  DWORD saved = 0;
  const bool console = GetConsoleMode(in, &saved) != 0;
  if (console) SetConsoleMode(in, saved & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
  const bool read = std::fgets(out, size, stdin) != nullptr;
  if (console) {
    SetConsoleMode(in, saved);
    std::fputc('\n', stderr);  // the user's Enter was not echoed
  }
  if (!read) return false;
  out[std::strcspn(out, "\r\n")] = '\0';
  return true;
}

}  // namespace platform
