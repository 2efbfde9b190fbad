#include "sim/sim_faults.h"

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
    for (int i = 1; i <= 6; i++) foreign.data[i] ^= static_cast<std::uint8_t>(0xA5 + n);
    foreign.data[REPLY_HEAD_SIZE - 1] ^= 0x80;
    foreign.toGroup = false;
    out.push_back(foreign);
  }
  for (const Reply& reply : genuine) {
    for (int copy = 0; copy <= faults.duplicates; copy++) out.push_back(reply);
  }
  return out;
}
