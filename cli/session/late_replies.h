// Replies still queued after a search. A search reads at most 32 datagrams
// per interface and every device answers both of its requests, so on a busy
// link devices answer that the search never reads. The command line reads
// them afterwards, outside the search, which stays as the program runs it.
#pragma once

#include "platform/sockets.h"

// How long one late reading lasts at most.
inline constexpr int LATE_READ_LIMIT_MS = 3000;
// A late reading ends once no wanted search reply came for this long: a poll,
// the search's pause and another poll. Other datagrams do not keep it going,
// so a stream of junk cannot hold it to its limit.
inline constexpr int LATE_QUIET_MS = 40;

// Reads `count` receive sockets (at most platform::MAX_WAITED_SOCKETS) in one
// wait at a time until no own search reply with the search's match codes
// arrived for LATE_QUIET_MS, or for LATE_READ_LIMIT_MS, and lists their
// devices as the search would, sockets[k] counting as interface
// firstIndex + k. Returns how many devices it added to DeviceList.
int ReadLateRepliesOn(const platform::SocketHandle* sockets, int count, int firstIndex);
// The late reading of all the engine's interfaces, after its own search.
int ReadAllLateReplies();
