#include "cli/session/late_replies.h"

#include <cstdint>

#include "proto/device_lists.h"
#include "proto/exchanges.h"
#include "proto/interface_io.h"
#include "proto/local_interfaces.h"

int ReadLateReplies(int interfaceIndex) {
  static std::uint8_t reply[RECEIVE_BUFFER_SIZE];
  const int before = DeviceList.count;
  platform::SocketService& net = platform::Sockets();
  const long long deadline = net.MonotonicMicroseconds() + LATE_READ_LIMIT_MS * 1000LL;
  bool quietOnce = false;
  while (net.MonotonicMicroseconds() < deadline) {
    const int size = PollInterface(interfaceIndex, reply);
    if (size == POLL_NOTHING) {
      if (quietOnce) break;
      quietOnce = true;
      net.SleepMs(SEARCH_POLL_PAUSE_MS);
      continue;
    }
    quietOnce = false;
    if (size >= 0 && SearchReplyWanted(reply, size, SEARCH_MATCH_CODE1, SEARCH_MATCH_CODE2)) {
      DecodeSearchReply(reply, size, interfaceIndex);
    }
  }
  return DeviceList.count - before;
}

int ReadAllLateReplies() {
  int added = 0;
  for (int i = 0; i < LocalInterfaceTable.count && i < MAX_INTERFACES; i++) added += ReadLateReplies(i);
  return added;
}
