// The sockets once an interrupt came: polls find nothing, nothing is sent and
// pauses are skipped, so the engine's loops run out within a poll and the
// command can say what it interrupted.
#pragma once

#include "cli/session/pass_through_sockets.h"

class InterruptFence : public PassThroughSockets {
 public:
  using PassThroughSockets::PassThroughSockets;

  int SendTo(platform::SocketHandle s, const std::uint8_t* data, int size, platform::Ipv4 to,
             std::uint16_t port) override;
  bool WaitReadable(platform::SocketHandle s, int timeoutMicroseconds) override;
  int WaitAnyReadable(const platform::SocketHandle* sockets, int count, int timeoutMicroseconds,
                      bool* ready) override;
  void SleepMs(unsigned milliseconds) override;
};
