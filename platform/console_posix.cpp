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
  // An interrupt ends the read at once: its handler does not restart calls.
  if (!std::fgets(out, size, stdin)) out[0] = '\0';
  bool enter = std::strchr(out, '\n') != nullptr;
  if (!enter && std::strlen(out) + 1 == static_cast<std::size_t>(size)) {
    int c;  // the rest of a line too long to keep
    while ((c = std::getchar()) != EOF && c != '\n') {}
    enter = c == '\n';
  }
  if (terminal) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputc('\n', stderr);  // the user's Enter was not echoed
  }
  return FinishTypedLine(out, enter);
}

void WriteText(std::FILE* stream, const char* text, std::size_t size) { std::fwrite(text, 1, size, stream); }

}  // namespace platform
