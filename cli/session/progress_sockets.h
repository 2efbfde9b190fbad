// The sockets with a progress line: while an exchange waits, stderr shows
// what it waits for and for how long. Every call is handed on unchanged, so
// the exchanges keep their exact schedule.
#pragma once

#include <chrono>

#include "cli/session/pass_through_sockets.h"

class ProgressSockets : public PassThroughSockets {
 public:
  using PassThroughSockets::PassThroughSockets;

  // Starts the exchange `what`; when `show`, stderr shows "<what>... <seconds> s".
  void Begin(const char* what, bool show);
  // Blanks the line; after an interrupt ends it instead, so that it stays
  // above the message that says what was interrupted.
  void End(bool interrupted);
  // Whether a request went out since Begin.
  bool RequestSent() const { return sent_; }

  int SendTo(platform::SocketHandle s, const std::uint8_t* data, int size, platform::Ipv4 to,
             std::uint16_t port) override;
  int WaitAnyReadable(const platform::SocketHandle* sockets, int count, int timeoutMicroseconds,
                      bool* ready) override;
  void SleepMs(unsigned milliseconds) override;

 private:
  // A few updates a second are enough to show that something is going on.
  void Refresh();
  void Show();

  const char* what_ = nullptr;
  bool shown_line_ = false;
  bool sent_ = false;  // during what_
  std::chrono::steady_clock::time_point start_, shown_;
};
