// Misbehaviour on demand: what a faulty device sends instead of, or besides,
// its genuine replies.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/sim_codec.h"
#include "sim/sim_device.h"

bool IsDropped(const FaultConfig& faults, RequestKind kind);

// Junk datagrams first, then replies carrying another requester's id, the
// flood, the spoofed copies, and then the genuine replies each with its
// duplicates. Everything but the genuine replies goes to the requester.
// `seed` advances with every junk datagram.
std::vector<Reply> ApplyFaults(const FaultConfig& faults, const Request& request,
                               const std::vector<Reply>& genuine, std::uint32_t deviceAddress,
                               std::uint32_t& seed);
