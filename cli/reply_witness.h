// The command line's sockets keeping a copy of every own search reply that a
// receive socket delivers, by interface. A search lists each address once,
// from its first reply; doctor also wants every interface a device answered
// on and every device that claimed an address. Reading a copy changes nothing
// of what the engine reads or when.
#pragma once

#include <vector>

#include "cli/progress_sockets.h"
#include "proto/device_lists.h"
#include "proto/local_interfaces.h"

class ReplyWitness : public ProgressSockets {
 public:
  using ProgressSockets::ProgressSockets;

  int Receive(platform::SocketHandle s, std::uint8_t* buffer, int capacity) override;

  // The devices whose own search replies interface i delivered, each
  // address and identity once, in order of arrival.
  const std::vector<DeviceRecord>& Answers(int i) const { return answers_[i]; }

 private:
  std::vector<DeviceRecord> answers_[MAX_INTERFACES];
};
