#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cli/session/late_replies.h"
#include "proto/exchanges.h"
#include "tests/support/virtual_sockets.h"

namespace {

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
  EXPECT_EQ(ReadLateReplies(0), 5);
  EXPECT_LT(net.NowMicroseconds(), 50000);  // two empty polls and one pause after the queue

  // Quiet means two empty polls: a reply arriving in the pause between them is read.
  net.Deliver(11, testing_support::ShortSearchReply(ClientId, "10.0.0.7", "paused"), net.NowMicroseconds() + 20000);
  EXPECT_EQ(ReadLateReplies(0), 1);

  // A link that never goes quiet.
  const long long start = net.NowMicroseconds();
  for (long long t = 0; t < 10000000; t += 5000)
    net.Deliver(11, testing_support::ShortSearchReply(ClientId, "10.0.0.9", "chatty"), start + t);
  EXPECT_EQ(ReadLateReplies(0), 1);
  EXPECT_GE(net.NowMicroseconds() - start, LATE_READ_LIMIT_MS * 1000LL);
  EXPECT_LT(net.NowMicroseconds() - start, LATE_READ_LIMIT_MS * 1000LL + 20000);
  ResetDiscoveryState();
}

}  // namespace
