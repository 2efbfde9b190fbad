// The device side of the discovery protocol: reading the requests a PC sends
// and building the replies a device gives. Opcodes and offsets are those of
// proto/wire.h; requests are untrusted and never read past their size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/sim_config.h"

using Datagram = std::vector<std::uint8_t>;

inline constexpr int REQUESTER_ID_SIZE = 10;
inline constexpr int DEVICE_IDENTITY_SIZE = 10;

struct Request {
  RequestKind kind = RequestKind::Unknown;
  std::uint8_t clientId[REQUESTER_ID_SIZE] = {};
  std::uint8_t identity[DEVICE_IDENTITY_SIZE] = {};  // per-device requests only
  std::string user, password;                        // login
  std::string ip, netmask, gateway;                  // static configuration
};

// False for a datagram that is no well-formed request.
bool ParseRequest(const std::uint8_t* data, std::size_t size, Request& out);

// What a device states about itself in a search reply.
struct DeviceFacts {
  std::uint8_t identity[DEVICE_IDENTITY_SIZE];
  bool dhcp;
  std::string netmask, gateway, name;
};

// Opcode, requester and device identity: the 21 bytes every reply starts with.
Datagram EncodeReplyHead(std::uint8_t opcode, const std::uint8_t clientId[REQUESTER_ID_SIZE],
                         const std::uint8_t identity[DEVICE_IDENTITY_SIZE]);
Datagram EncodeSearchReply(const std::uint8_t clientId[REQUESTER_ID_SIZE], const DeviceFacts& facts,
                           bool longForm, std::uint8_t match1, std::uint8_t match2);
// Login result (one byte) or share text after the head and 7 unread bytes.
Datagram EncodeQueryReply(const std::uint8_t clientId[REQUESTER_ID_SIZE],
                          const std::uint8_t identity[DEVICE_IDENTITY_SIZE], const std::string& payload);
Datagram EncodeConfigReply(const std::uint8_t clientId[REQUESTER_ID_SIZE],
                           const std::uint8_t identity[DEVICE_IDENTITY_SIZE]);

// "a.b.c.d" of an address kept as inet_addr gives it.
std::string AddressText(std::uint32_t address);
