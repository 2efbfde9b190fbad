#include "cli/progress_sockets.h"

#include <cstdio>
#include <cstdlib>

#include "cli/exit_status.h"
#include "platform/console.h"
#include "platform/interrupt.h"
#include "platform/net_diagnostics.h"

void ProgressSockets::Begin(const char* what, bool show) {
  what_ = what;
  shown_line_ = show;
  sent_ = false;
  start_ = std::chrono::steady_clock::now();
  if (show) Show();
}

void ProgressSockets::End() {
  if (platform::Interrupted()) {
    if (shown_line_) platform::Print(stderr, "\n");
    platform::Print(stderr, "lumaseek-cli: interrupted while %s; %s\n", what_,
                    sent_ ? "its request had already been sent" : "nothing had been sent for it");
    std::exit(EXIT_INTERRUPTED);
  }
  // Blanks rather than an erase sequence, which older Windows consoles print as is.
  if (shown_line_) platform::Print(stderr, "\r%*s\r", 60, "");
  what_ = nullptr;
  shown_line_ = false;
}

int ProgressSockets::SendTo(platform::SocketHandle s, const std::uint8_t* data, int size, platform::Ipv4 to,
                            std::uint16_t port) {
  if (platform::Interrupted()) return -1;
  const int sent = inner_.SendTo(s, data, size, to, port);
  if (sent >= 0) sent_ = true;
  return sent;
}

bool ProgressSockets::WaitReadable(platform::SocketHandle s, int timeoutMicroseconds) {
  return !platform::Interrupted() && inner_.WaitReadable(s, timeoutMicroseconds);
}

int ProgressSockets::WaitAnyReadable(const platform::SocketHandle* sockets, int count, int timeoutMicroseconds,
                                     bool* ready) {
  if (platform::Interrupted()) {
    for (int k = 0; k < count; k++) ready[k] = false;
    return 0;
  }
  const int n = inner_.WaitAnyReadable(sockets, count, timeoutMicroseconds, ready);
  if (shown_line_ && std::chrono::steady_clock::now() - shown_ >= std::chrono::milliseconds(250)) Show();
  return n;
}

void ProgressSockets::SleepMs(unsigned milliseconds) {
  if (platform::Interrupted()) return;
  inner_.SleepMs(milliseconds);
  // A few updates a second are enough to show that something is going on.
  if (shown_line_ && std::chrono::steady_clock::now() - shown_ >= std::chrono::milliseconds(250)) Show();
}

void ProgressSockets::Show() {
  shown_ = std::chrono::steady_clock::now();
  const double seconds = std::chrono::duration<double>(shown_ - start_).count();
  platform::Print(stderr, "\r%s... %.1f s", what_, seconds);
  std::fflush(stderr);
}

int ProgressSockets::LastError() { return platform::LastSocketError(); }
