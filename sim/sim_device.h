// One simulated device: answers the requests meant for it and takes a new
// address when a configuration request asks for one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/sim_codec.h"
#include "sim/sim_config.h"

struct Reply {
  Datagram data;
  std::uint32_t source;  // the device address the reply is sent from
  bool toGroup;          // to 224.0.0.1 instead of the requester
};

struct Answer {
  std::vector<Reply> replies;  // genuine replies, in sending order
  std::string note;            // for the log: a move, an ignored request
  bool moved = false;
};

// Addresses a DHCP request hands out, each once.
class AddressPool {
 public:
  explicit AddressPool(std::vector<std::uint32_t> addresses) : free_(std::move(addresses)) {}
  // False when the pool is used up.
  bool Take(std::uint32_t& address);

 private:
  std::vector<std::uint32_t> free_;
};

class Device {
 public:
  explicit Device(const DeviceConfig& config) : config_(config) {}

  const DeviceConfig& config() const { return config_; }
  std::uint32_t address() const { return config_.ip; }
  // A search, or a per-device request carrying this device's identity and address.
  bool IsAddressed(const Request& request) const;
  Answer Respond(const Request& request, AddressPool& pool);

 private:
  void Identity(std::uint8_t out[DEVICE_IDENTITY_SIZE]) const;
  Answer Confirm(const Request& request, std::uint32_t oldAddress, const std::string& change);

  DeviceConfig config_;
};
