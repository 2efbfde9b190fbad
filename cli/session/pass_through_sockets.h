// Sockets that hand every call on to other sockets unchanged: the base of
// the command line's layers over the system's sockets, each of which
// overrides only the calls of its one job.
#pragma once

#include "platform/sockets.h"

class PassThroughSockets : public platform::SocketService {
 public:
  explicit PassThroughSockets(platform::SocketService& inner) : inner_(inner) {}

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
  int WaitAnyReadable(const platform::SocketHandle* sockets, int count, int timeoutMicroseconds,
                      bool* ready) override {
    return inner_.WaitAnyReadable(sockets, count, timeoutMicroseconds, ready);
  }
  int Receive(platform::SocketHandle s, std::uint8_t* buffer, int capacity) override {
    return inner_.Receive(s, buffer, capacity);
  }
  void SleepMs(unsigned milliseconds) override { inner_.SleepMs(milliseconds); }
  long long MonotonicMicroseconds() override { return inner_.MonotonicMicroseconds(); }
  int LastError() override { return inner_.LastError(); }

 private:
  platform::SocketService& inner_;
};
