#include "proto/uncounted_run.h"

#include "platform/sockets.h"

UncountedRun::UncountedRun(unsigned slotMs)
    : slotMicroseconds_(static_cast<long long>(slotMs) * 1000),
      startMicroseconds_(platform::Sockets().MonotonicMicroseconds()) {}

void UncountedRun::Restart() { startMicroseconds_ = platform::Sockets().MonotonicMicroseconds(); }

bool UncountedRun::Outlasted() {
  return platform::Sockets().MonotonicMicroseconds() - startMicroseconds_ > slotMicroseconds_;
}
