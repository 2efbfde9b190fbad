#include "sim/sim_faults.h"

#include <cstring>

#include "proto/wire.h"

namespace {

std::uint32_t NextRandom(std::uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 8;
}

// Every third junk datagram carries the requester's id and an awaited opcode
// but stops before the device address, so only a reader that checks lengths
// survives it; the others are random bytes of random length, empty included.
Datagram Junk(const Request& request, std::uint32_t& seed, int n) {
  Datagram d;
  if (n % 3 == 2) {
    static const std::uint8_t awaited[] = {OP_SEARCH_REPLY, OP_QUERY_REPLY, OP_CONFIG_REPLY,
                                           OP_SEARCH_REPLY_EXT};
    d.push_back(awaited[NextRandom(seed) % 4]);
    d.insert(d.end(), request.clientId, request.clientId + REQUESTER_ID_SIZE);
    d.resize(1 + NextRandom(seed) % REPLY_ADDRESS_OFFSET);
    return d;
  }
  const std::size_t size = NextRandom(seed) % 64;
  for (std::size_t i = 0; i < size; i++) d.push_back(static_cast<std::uint8_t>(NextRandom(seed)));
  return d;
}

void OtherRequester(Datagram& d, int n) {
  for (int i = 1; i <= 6; i++) d[i] ^= static_cast<std::uint8_t>(0xA5 + n);
}

// One datagram of each opcode 0 to 8 with the requester's id, naming another
// address. Taken for an answer it would accept a login, list the share "flood"
// and confirm a change; opcodes a genuine answer to this request has are left
// out, since no requester can tell those apart.
void AppendFlood(const Request& request, std::uint32_t deviceAddress, std::vector<Reply>& out) {
  static const char FLOOD_PAYLOAD[] = "flood:";
  for (std::uint8_t op = 0; op <= 8; op++) {
    if (request.kind == RequestKind::Search && (op == OP_SEARCH_REPLY || op == OP_SEARCH_REPLY_EXT)) continue;
    if (request.kind == RequestKind::Dhcp && op == OP_CONFIG_REPLY) continue;
    Datagram d(72, 0);  // long enough for every reply layout, name lengths 0
    d[0] = op;
    std::memcpy(&d[1], request.clientId, REQUESTER_ID_SIZE);
    const std::uint32_t other = deviceAddress ^ 0x80000000u;  // the last octet's top bit
    std::memcpy(&d[REPLY_ADDRESS_OFFSET], &other, 4);
    std::memcpy(&d[QUERY_RESULT_OFFSET], FLOOD_PAYLOAD, sizeof FLOOD_PAYLOAD - 1);
    out.push_back({d, deviceAddress, false});
  }
}

// The reply as it might have gone to another requester, saying the opposite.
Reply Spoofed(const Reply& genuine, RequestKind kind, int n) {
  Reply spoofed = genuine;
  Datagram& d = spoofed.data;
  OtherRequester(d, n);
  static const char SPOOFED_NAME[] = "spoofed";
  const std::size_t nameLength = sizeof SPOOFED_NAME - 1;
  if (kind == RequestKind::Search && d.size() >= 60) {
    const std::size_t lengthAt = d[0] == OP_SEARCH_REPLY_EXT ? 68 : 56;
    d.resize(lengthAt);
    for (int i = 0; i < 4; i++) d.push_back(static_cast<std::uint8_t>(nameLength >> (8 * i)));
    d.insert(d.end(), SPOOFED_NAME, SPOOFED_NAME + nameLength);
  } else if (kind == RequestKind::Login && d.size() > QUERY_RESULT_OFFSET) {
    d[QUERY_RESULT_OFFSET] = d[QUERY_RESULT_OFFSET] ? 0 : 1;
  } else if (kind == RequestKind::Shares) {
    d.resize(QUERY_RESULT_OFFSET);
    d.insert(d.end(), SPOOFED_NAME, SPOOFED_NAME + nameLength);
  }
  spoofed.toGroup = false;
  return spoofed;
}

}  // namespace

bool IsDropped(const FaultConfig& faults, RequestKind kind) {
  return kind != RequestKind::Unknown && (faults.dropMask & (1u << static_cast<unsigned>(kind))) != 0;
}

std::vector<Reply> ApplyFaults(const FaultConfig& faults, const Request& request,
                               const std::vector<Reply>& genuine, std::uint32_t deviceAddress,
                               std::uint32_t& seed) {
  std::vector<Reply> out;
  for (int n = 0; n < faults.junk; n++) out.push_back({Junk(request, seed, n), deviceAddress, false});
  for (int n = 0; n < faults.foreign && !genuine.empty(); n++) {
    // Another requester's copy, naming another address: taken for own, it would show.
    Reply foreign = genuine[n % genuine.size()];
    OtherRequester(foreign.data, n);
    foreign.data[REPLY_HEAD_SIZE - 1] ^= 0x80;
    foreign.toGroup = false;
    out.push_back(foreign);
  }
  for (int n = 0; n < faults.flood; n++) AppendFlood(request, deviceAddress, out);
  for (int n = 0; n < faults.spoof; n++) {
    for (const Reply& reply : genuine) out.push_back(Spoofed(reply, request.kind, n));
  }
  for (const Reply& reply : genuine) {
    for (int copy = 0; copy <= faults.duplicates; copy++) out.push_back(reply);
  }
  return out;
}
