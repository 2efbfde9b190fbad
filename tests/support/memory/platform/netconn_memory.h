// In-memory drive letters and network connections for native builds: tests set
// each letter's type and remote name, script the answers of connection
// attempts, and read every call back.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/netconn.h"

namespace platform::memory_netconn {

struct Drive {
  unsigned type = DRIVE_TYPE_NO_ROOT_DIR;
  std::string remote;                  // the connection's remote name; empty: none
  unsigned long getError = 0;          // answer of NetGetConnection when nonzero
};

struct Call {
  std::string op;  // "get", "type", "add", "cancel"
  std::string localName;
  std::string remoteName;
  std::string password;
  std::string userName;
  unsigned long flags;
  bool force;
};

struct State {
  Drive drives[26];
  std::deque<unsigned long> addResults;  // answers of NetAddConnection; success when empty
  std::vector<Call> calls;
};

State& Net();
void Reset();
Drive& DriveOf(char letter);
// The calls of one kind, in order.
std::vector<Call> CallsOf(const std::string& op);

}  // namespace platform::memory_netconn
