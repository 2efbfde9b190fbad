// The operating system's sockets with a progress line: while an exchange
// waits, stderr shows what it waits for and for how long. Everything is passed
// through unchanged, so the exchanges keep their exact schedule; the system's
// error codes, which the window program's service does not give, come from here.
#pragma once

#include <chrono>

#include "platform/sockets.h"

class ProgressSockets : public platform::SocketService {
 public:
  explicit ProgressSockets(platform::SocketService& inner) : inner_(inner) {}

  // Starts showing "<what>... <seconds> s"; End() clears the line.
  void Begin(const char* what);
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
             std::uint16_t port) override {
    return inner_.SendTo(s, data, size, to, port);
  }
  bool WaitReadable(platform::SocketHandle s, int timeoutMicroseconds) override {
    return inner_.WaitReadable(s, timeoutMicroseconds);
  }
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
  std::chrono::steady_clock::time_point start_, shown_;
};
