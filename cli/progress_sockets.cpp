#include "cli/progress_sockets.h"

#include <cstdio>

#include "platform/net_diagnostics.h"

void ProgressSockets::Begin(const char* what) {
  what_ = what;
  start_ = std::chrono::steady_clock::now();
  Show();
}

void ProgressSockets::End() {
  // Blanks rather than an erase sequence, which older Windows consoles print as is.
  if (what_) std::fprintf(stderr, "\r%*s\r", 60, "");
  what_ = nullptr;
}

void ProgressSockets::SleepMs(unsigned milliseconds) {
  inner_.SleepMs(milliseconds);
  // A few updates a second are enough to show that something is going on.
  if (what_ && std::chrono::steady_clock::now() - shown_ >= std::chrono::milliseconds(250)) Show();
}

void ProgressSockets::Show() {
  shown_ = std::chrono::steady_clock::now();
  const double seconds = std::chrono::duration<double>(shown_ - start_).count();
  std::fprintf(stderr, "\r%s... %.1f s", what_, seconds);
  std::fflush(stderr);
}

int ProgressSockets::LastError() { return platform::LastSocketError(); }
