#include "cli/session/interrupt_fence.h"

#include "platform/interrupt.h"

int InterruptFence::SendTo(platform::SocketHandle s, const std::uint8_t* data, int size, platform::Ipv4 to,
                           std::uint16_t port) {
  return platform::Interrupted() ? -1 : PassThroughSockets::SendTo(s, data, size, to, port);
}

bool InterruptFence::WaitReadable(platform::SocketHandle s, int timeoutMicroseconds) {
  return !platform::Interrupted() && PassThroughSockets::WaitReadable(s, timeoutMicroseconds);
}

int InterruptFence::WaitAnyReadable(const platform::SocketHandle* sockets, int count, int timeoutMicroseconds,
                                    bool* ready) {
  if (!platform::Interrupted()) return PassThroughSockets::WaitAnyReadable(sockets, count, timeoutMicroseconds, ready);
  for (int k = 0; k < count; k++) ready[k] = false;
  return 0;
}

void InterruptFence::SleepMs(unsigned milliseconds) {
  if (!platform::Interrupted()) PassThroughSockets::SleepMs(milliseconds);
}
