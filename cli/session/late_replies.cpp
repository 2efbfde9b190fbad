#include "cli/session/late_replies.h"

#include <cstdint>

#include "proto/device_lists.h"
#include "proto/exchanges.h"
#include "proto/interface_io.h"
#include "proto/local_interfaces.h"

int ReadLateRepliesOn(const platform::SocketHandle* sockets, int count, int firstIndex) {
  static std::uint8_t reply[RECEIVE_BUFFER_SIZE];
  if (count <= 0) return 0;
  if (count > platform::MAX_WAITED_SOCKETS) count = platform::MAX_WAITED_SOCKETS;
  const int before = DeviceList.count;
  platform::SocketService& net = platform::Sockets();
  const long long start = net.MonotonicMicroseconds();
  const long long deadline = start + LATE_READ_LIMIT_MS * 1000LL;
  long long quietEnd = start + LATE_QUIET_MS * 1000LL;
  bool ready[platform::MAX_WAITED_SOCKETS];
  for (;;) {
    const long long end = quietEnd < deadline ? quietEnd : deadline;
    const long long left = end - net.MonotonicMicroseconds();
    // Nothing within the wait means nothing until its end: the reading is over.
    if (left <= 0 || net.WaitAnyReadable(sockets, count, static_cast<int>(left), ready) == 0) break;
    for (int k = 0; k < count; k++) {
      if (!ready[k]) continue;
      const int size = ReceiveDatagram(sockets[k], reply);
      if (size < 0 || !SearchReplyWanted(reply, size, SEARCH_MATCH_CODE1, SEARCH_MATCH_CODE2)) continue;
      DecodeSearchReply(reply, size, firstIndex + k);
      quietEnd = net.MonotonicMicroseconds() + LATE_QUIET_MS * 1000LL;
    }
  }
  return DeviceList.count - before;
}

int ReadAllLateReplies() {
  const int count = LocalInterfaceTable.count < MAX_INTERFACES ? LocalInterfaceTable.count : MAX_INTERFACES;
  return ReadLateRepliesOn(ReceiveSockets, count, 0);
}
