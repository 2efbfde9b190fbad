#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/console.h"

namespace platform {

bool StdinIsTerminal() { return isatty(STDIN_FILENO) == 1; }
bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

bool ReadLineHidden(char* out, int size) {
  termios saved{};
  const bool terminal = tcgetattr(STDIN_FILENO, &saved) == 0;
  if (terminal) {
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  const bool read = std::fgets(out, size, stdin) != nullptr;
  if (terminal) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputc('\n', stderr);  // the user's Enter was not echoed
  }
  if (!read) return false;
  out[std::strcspn(out, "\r\n")] = '\0';
  return true;
}

}  // namespace platform
