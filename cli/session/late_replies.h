// Replies still queued after a search. A search reads at most 32 datagrams
// per interface and every device answers both of its requests, so on a busy
// link devices answer that the search never reads. The command line reads
// them afterwards, outside the search, which stays as the program runs it.
#pragma once

// How long one interface is read at most.
inline constexpr int LATE_READ_LIMIT_MS = 3000;

// Reads interface i until it has been quiet for one poll round (a poll, the
// search's pause and another poll find nothing) or for LATE_READ_LIMIT_MS,
// and lists the devices of the own search replies it reads as the search
// would. Returns how many devices it added to DeviceList.
int ReadLateReplies(int interfaceIndex);
// ReadLateReplies for every local interface, as search --all reads them.
int ReadAllLateReplies();
