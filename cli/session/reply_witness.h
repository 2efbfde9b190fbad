// The command line's sockets keeping a copy of every own search reply that a
// receive socket delivers, by interface. A search lists each address once,
// from its first reply; doctor also wants every interface a device answered
// on and every device that claimed an address. They also count the own query
// replies by sender: the engine's login result is the same for a refusal and
// for silence, the command's message is not. Reading a copy changes nothing
// of what the engine reads or when.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cli/session/pass_through_sockets.h"
#include "proto/device_lists.h"
#include "proto/every_interface_search.h"

class ReplyWitness : public PassThroughSockets {
 public:
  using PassThroughSockets::PassThroughSockets;

  int Receive(platform::SocketHandle s, std::uint8_t* buffer, int capacity) override;

  // The devices whose own search replies interface i delivered, each
  // address and identity once, in order of arrival; i as a listed device's
  // interfaceIndex names it (SearchedInterfaceOf), in whichever table the
  // search used.
  const std::vector<DeviceRecord>& Answers(int i) const { return answers_[i]; }
  // How many own query replies long enough to carry a login result came
  // from `ip` so far, whether or not the engine was waiting for one.
  int QueryRepliesFrom(const char* ip) const;
  // Forgets the answers kept so far: what answers a later search is kept anew.
  void ForgetAnswers() { for (auto& a : answers_) a.clear(); }

 private:
  std::vector<DeviceRecord> answers_[SEARCH_MAX_ADDRESSES];
  std::map<std::string, int> queryReplies_;
};
