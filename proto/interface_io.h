// One poll of an interface's receive socket and one send out of an interface,
// the two steps every exchange is made of.
#pragma once

#include <cstdint>

#include "platform/sockets.h"
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
// The steps below any table, each on the socket it is given: one datagram
// read from `s` into `buffer` (RECEIVE_BUFFER_SIZE bytes), terminated: its
// size or POLL_FAILED; then the two calls of a send, each true when it
// succeeded: steering the multicast of `s` out of the interface at `local`
// rather than the default route's, then sending `size` bytes through `s` to
// the discovery group. Run one after the other, so that a failure's error code
// can be read in between.
int ReceiveDatagram(platform::SocketHandle s, std::uint8_t* buffer);
bool SteerMulticast(platform::SocketHandle s, platform::Ipv4 local);
bool SendToGroup(platform::SocketHandle s, const std::uint8_t* request, int size);
