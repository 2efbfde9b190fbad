#include "cli/session/progress_sockets.h"

#include <cstdio>

#include "platform/console.h"

void ProgressSockets::Begin(const char* what, bool show) {
  what_ = what;
  shown_line_ = show;
  sent_ = false;
  start_ = std::chrono::steady_clock::now();
  if (show) Show();
}

void ProgressSockets::End(bool interrupted) {
  // Blanks rather than an erase sequence, which older Windows consoles print as is.
  if (shown_line_ && interrupted) {
    platform::Print(stderr, "%s", "\n");
  } else if (shown_line_) {
    platform::Print(stderr, "\r%*s\r", 60, "");
  }
  what_ = nullptr;
  shown_line_ = false;
}

int ProgressSockets::SendTo(platform::SocketHandle s, const std::uint8_t* data, int size, platform::Ipv4 to,
                            std::uint16_t port) {
  const int sent = PassThroughSockets::SendTo(s, data, size, to, port);
  if (sent >= 0) sent_ = true;
  return sent;
}

int ProgressSockets::WaitAnyReadable(const platform::SocketHandle* sockets, int count, int timeoutMicroseconds,
                                     bool* ready) {
  const int n = PassThroughSockets::WaitAnyReadable(sockets, count, timeoutMicroseconds, ready);
  Refresh();  // the search of every interface waits here, not only in pauses
  return n;
}

void ProgressSockets::SleepMs(unsigned milliseconds) {
  PassThroughSockets::SleepMs(milliseconds);
  Refresh();
}

void ProgressSockets::Refresh() {
  if (shown_line_ && std::chrono::steady_clock::now() - shown_ >= std::chrono::milliseconds(250)) Show();
}

void ProgressSockets::Show() {
  shown_ = std::chrono::steady_clock::now();
  const double seconds = std::chrono::duration<double>(shown_ - start_).count();
  platform::Print(stderr, "\r%s... %.1f s", what_, seconds);
  std::fflush(stderr);
}
