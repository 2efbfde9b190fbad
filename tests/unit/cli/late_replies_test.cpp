#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cli/session/late_replies.h"
#include "proto/exchanges.h"
#include "tests/support/virtual_sockets.h"

namespace {

// The engine's interfaces, as doctor reads them after its search.
TEST(LateReplies, ReadUntilQuietAndNeverLongerThanTheLimit) {
  testing_support::VirtualSockets net;
  ResetDiscoveryState();
  std::memset(ClientId, 0x5A, 6);
  LocalInterfaceTable.count = 1;
  ReceiveSockets[0] = 11;
  for (int n = 1; n <= 5; n++) {
    const std::string ip = "10.0.0." + std::to_string(n);
    net.Deliver(11, testing_support::ShortSearchReply(ClientId, ip.c_str(), "queued"));
  }
  EXPECT_EQ(ReadAllLateReplies(), 5);
  EXPECT_LT(net.NowMicroseconds(), LATE_QUIET_MS * 1000LL + 1000);  // one quiet window after the queue

  // A reply arriving within the quiet window is read.
  net.Deliver(11, testing_support::ShortSearchReply(ClientId, "10.0.0.7", "paused"),
              net.NowMicroseconds() + LATE_QUIET_MS * 1000LL / 2);
  EXPECT_EQ(ReadAllLateReplies(), 1);

  // A link that never goes quiet.
  const long long start = net.NowMicroseconds();
  for (long long t = 0; t < 10000000; t += 5000)
    net.Deliver(11, testing_support::ShortSearchReply(ClientId, "10.0.0.9", "chatty"), start + t);
  EXPECT_EQ(ReadAllLateReplies(), 1);
  EXPECT_GE(net.NowMicroseconds() - start, LATE_READ_LIMIT_MS * 1000LL);
  EXPECT_LT(net.NowMicroseconds() - start, LATE_READ_LIMIT_MS * 1000LL + 20000);
  ResetDiscoveryState();
}

}  // namespace

namespace {

// Junk keeps no late reading going; wanted replies do, on any socket, and
// each is listed with its socket's interface.
TEST(LateReplies, OnlyWantedRepliesKeepAReadingOfSeveralSocketsGoing) {
  testing_support::VirtualSockets net;
  ResetDiscoveryState();
  std::memset(ClientId, 0x5A, 6);
  net.readCostMicroseconds = 10;
  const platform::SocketHandle sockets[4] = {21, 22, 23, 24};  // 24 stays silent
  const std::uint8_t other[CLIENT_ID_SIZE] = {1, 2, 3, 4, 5, 6};
  net.Flood(21, {0x63, 0, 0, 0, 0, 0, 0, 0});
  net.Flood(22, testing_support::ShortSearchReply(other, "10.0.0.8", "another requester's"));
  net.Flood(23, testing_support::LongSearchReply(ClientId, "10.0.0.9", "other codes", 8, 2));
  net.Deliver(23, testing_support::ShortSearchReply(ClientId, "10.0.0.3", "third"), 30000);
  net.Deliver(22, testing_support::ShortSearchReply(ClientId, "10.0.0.2", "second"), 60000);
  EXPECT_EQ(ReadLateRepliesOn(sockets, 4, 5), 2);
  EXPECT_EQ(DeviceList.head->interfaceIndex, 7);
  EXPECT_EQ(DeviceList.tail->interfaceIndex, 6);
  // The last wanted reply at 60 ms, then one quiet window of junk.
  EXPECT_GE(net.NowMicroseconds(), 60000 + LATE_QUIET_MS * 1000LL);
  EXPECT_LT(net.NowMicroseconds(), 60000 + LATE_QUIET_MS * 1000LL + 1000);
  EXPECT_EQ(net.CountOf(testing_support::VirtualSockets::CallKind::WaitReadable), 0);
  for (const auto& read : net.CallsOf(testing_support::VirtualSockets::CallKind::Receive))
    EXPECT_NE(read.socket, 24);  // only a socket the wait found ready is read
  // No socket: over at once, nothing waited for.
  const long long before = net.NowMicroseconds();
  EXPECT_EQ(ReadLateRepliesOn(sockets, 0, 0), 0);
  EXPECT_EQ(net.NowMicroseconds(), before);
  ResetDiscoveryState();
}

}  // namespace
