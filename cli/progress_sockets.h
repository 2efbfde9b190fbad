// The operating system's sockets with a progress line: while an exchange
// waits, stderr shows what it waits for and for how long. Everything is passed
// through unchanged, so the exchanges keep their exact schedule; the system's
// error codes, which the window program's service does not give, come from here.
// Once an interrupt came, polls find nothing, nothing is sent and pauses are
// skipped, so the engine's loops run out within a poll; End() then stops.
#pragma once

#include <chrono>

#include "platform/sockets.h"

class ProgressSockets : public platform::SocketService {
 public:
  explicit ProgressSockets(platform::SocketService& inner) : inner_(inner) {}

  // Starts the exchange `what`; when `show`, stderr shows "<what>... <seconds> s".
  void Begin(const char* what, bool show);
  // Clears the line. After an interrupt, says what it interrupted and whether
  // the exchange's request had gone out, and exits with EXIT_INTERRUPTED.
  void End();

  bool StartLibrary() override { return inner_.StartLibrary(); }
  int HostAddresses(platform::Ipv4* out, int max) override { return inner_.HostAddresses(out, max); }
  platform::SocketHandle OpenUdp() override { return inner_.OpenUdp(); }
  bool SetMulticastLoop(platform::SocketHandle s, bool on) override { return inner_.SetMulticastLoop(s, on); }
  bool SetReuseAddress(platform::SocketHandle s, bool on) override { return inner_.SetReuseAddress(s, on); }
  bool BindReceive(platform::SocketHandle s, platform::Ipv4 local, std::uint16_t port) override {
    return inner_.BindReceive(s, local, port);
  }
  bool JoinGroup(platform::SocketHandle s, platform::Ipv4 group, platform::Ipv4 local) override {
    return inner_.JoinGroup(s, group, local);
  }
  bool SetMulticastInterface(platform::SocketHandle s, platform::Ipv4 local) override {
    return inner_.SetMulticastInterface(s, local);
  }
  int SendTo(platform::SocketHandle s, const std::uint8_t* data, int size, platform::Ipv4 to,
             std::uint16_t port) override;
  bool WaitReadable(platform::SocketHandle s, int timeoutMicroseconds) override;
  int WaitAnyReadable(const platform::SocketHandle* sockets, int count, int timeoutMicroseconds,
                      bool* ready) override;
  int Receive(platform::SocketHandle s, std::uint8_t* buffer, int capacity) override {
    return inner_.Receive(s, buffer, capacity);
  }
  void SleepMs(unsigned milliseconds) override;
  long long MonotonicMicroseconds() override { return inner_.MonotonicMicroseconds(); }
  int LastError() override;

 private:
  void Show();

  platform::SocketService& inner_;
  const char* what_ = nullptr;
  bool shown_line_ = false;
  bool sent_ = false;  // during what_
  std::chrono::steady_clock::time_point start_, shown_;
};
