// One poll of an interface's receive socket and one send out of an interface,
// the two steps every exchange is made of.
#pragma once

#include <cstdint>

#include "proto/wire.h"

// Holds a datagram of DATAGRAM_SIZE bytes and the zero byte stored after it.
inline constexpr int RECEIVE_BUFFER_SIZE = DATAGRAM_SIZE + 1;

inline constexpr int POLL_WAIT_MICROSECONDS = 10000;

inline constexpr int POLL_NOTHING = -2;  // nothing readable within the wait
inline constexpr int POLL_FAILED = -1;   // readable, but the read failed

// Waits POLL_WAIT_MICROSECONDS on ReceiveSockets[interfaceIndex] and reads at
// most one datagram into `buffer` (RECEIVE_BUFFER_SIZE bytes), terminated.
// Returns its size, POLL_NOTHING or POLL_FAILED.
int PollInterface(int interfaceIndex, std::uint8_t* buffer);
// The two calls of a send out of interface `interfaceIndex`, each true when
// it succeeded: steering the multicast out of this interface rather than the
// default route's, then sending `size` bytes to the discovery group. Run one
// after the other, so that a failure's error code can be read in between.
bool SteerMulticast(int interfaceIndex);
bool SendToGroup(int interfaceIndex, const std::uint8_t* request, int size);
