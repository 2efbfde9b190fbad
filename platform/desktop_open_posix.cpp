#include "platform/desktop_open.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

extern char** environ;

namespace platform {

bool OpenWithDesktop(const char* url, char* reason, int size) {
  const std::size_t room = static_cast<std::size_t>(size);
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(url), nullptr};  // posix_spawnp does not write them
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, program, nullptr, nullptr, argv, environ);
  if (error != 0) {
    std::snprintf(reason, room, "cannot run xdg-open: %s", std::strerror(error));
    return false;
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) {
      std::snprintf(reason, room, "xdg-open: %s", std::strerror(errno));
      return false;
    }
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  if (WIFEXITED(status))
    std::snprintf(reason, room, "xdg-open ended with status %d", WEXITSTATUS(status));
  else
    std::snprintf(reason, room, "xdg-open was ended by signal %d", WTERMSIG(status));
  return false;
}

}  // namespace platform
