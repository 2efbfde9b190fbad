#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
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
  const bool read = std::fgets(out, size, stdin) != nullptr;
  if (!read) out[0] = '\0';
  if (read && !std::strchr(out, '\n') && std::strlen(out) + 1 == static_cast<std::size_t>(size)) {
    int c;  // the rest of a line too long to keep
    while ((c = std::getchar()) != EOF && c != '\n') {}
  }
  if (terminal) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputc('\n', stderr);  // the user's Enter was not echoed
  }
  return FinishTypedLine(out, read);
}

void OpenClosedStandardStreams() {
  // open() takes the lowest free descriptor: the closed one, in order.
  for (int fd = 0; fd <= 2; fd++) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", O_RDWR);
  }
}

void WriteText(std::FILE* stream, const char* text, std::size_t size) { std::fwrite(text, 1, size, stream); }

}  // namespace platform
