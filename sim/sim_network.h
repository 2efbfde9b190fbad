// The simulator's one UDP socket on port 13579: it receives the requests that
// reach any interface, to the group or to a unicast address, and sends every
// device's replies with that device's address as their source.
#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/sim_codec.h"

class SimSocket {
 public:
  ~SimSocket();
  bool Open(std::string& error);
  int fd() const { return fd_; }
  // One waiting datagram with its sender, destination and arrival interface.
  bool Receive(Datagram& data, sockaddr_in& from, std::uint32_t& to, int& interfaceIndex);
  // Leaves through `interfaceIndex` (0: by the routes) from `source` to `to`:13579.
  bool Send(const Datagram& data, std::uint32_t source, std::uint32_t to, int interfaceIndex);

 private:
  int fd_ = -1;
};

// The first interface that is up and multicast-capable, not loopback; empty if none.
std::string DefaultInterface();
// Adds to `interfaceName` each address (with its netmask) that no interface
// holds yet; appends those it added to `added` when given.
bool AddMissingAddresses(const std::string& interfaceName,
                         const std::vector<std::pair<std::uint32_t, std::uint32_t>>& addresses,
                         std::string& error, std::vector<std::pair<std::uint32_t, std::uint32_t>>* added = nullptr);
// Removes these addresses from `interfaceName`.
bool RemoveAddresses(const std::string& interfaceName,
                     const std::vector<std::pair<std::uint32_t, std::uint32_t>>& addresses, std::string& error);
