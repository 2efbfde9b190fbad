#include "engine_fixture.h"
#include "proto/engine_tally.h"

using testing_support::LongSearchReply;
using testing_support::ReplyHead;
using testing_support::ShortSearchReply;

namespace {

const std::uint8_t kOtherClientId[CLIENT_ID_SIZE] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x99};

class TallyTest : public EngineTest {};

TEST_F(TallyTest, FailedStepKeepsTheSystemsCodeAndTheInterfaceStaysInUse) {
  net.hostAddresses = {platform::InetAddr("198.18.0.1"), platform::InetAddr("198.18.4.1")};
  net.bindError = 98;
  DiscoveryStartup();
  ASSERT_EQ(LocalInterfaceTable.count, 2);
  for (const InterfaceTally& t : {EngineTally[0], EngineTally[1]}) {
    EXPECT_EQ(t.failedSteps, 1u << STEP_BIND);
    EXPECT_EQ(t.stepError[STEP_BIND], 98);
    EXPECT_EQ(t.stepError[STEP_JOIN_GROUP], 0);
  }
  EXPECT_EQ(net.CountOf(Kind::JoinGroup), 2);  // the engine goes on whatever bind says
  ResetDiscoveryState();
  EXPECT_EQ(EngineTally[0].failedSteps, 0u);
}

TEST_F(TallyTest, SearchCountsWhatItReadByKindAndListsTheSame) {
  UseInterfaces(2);
  const platform::SocketHandle s = ReceiveSocket(1);
  std::vector<std::uint8_t> cut = ShortSearchReply(kTestClientId, "10.0.0.9", "cut");
  cut.resize(cut.size() - 1);  // the name runs past the datagram
  net.Deliver(s, ShortSearchReply(kTestClientId, "10.0.0.1", "own"));
  net.Deliver(s, ShortSearchReply(kTestClientId, "10.0.0.1", "own"));  // the answer to the second request
  net.Deliver(s, LongSearchReply(kTestClientId, "10.0.0.2", "long", 8, 1));
  net.Deliver(s, ShortSearchReply(kOtherClientId, "10.0.0.3", "foreign"));
  net.Deliver(s, LongSearchReply(kTestClientId, "10.0.0.4", "other-code", 8, 2));
  net.Deliver(s, cut);
  net.Deliver(s, ReplyHead(OP_QUERY_REPLY, kTestClientId, "10.0.0.5"));
  net.Deliver(s, {});
  net.DeliverFailedRead(s);
  SearchDevices(8, 1);

  const std::uint32_t expected[RECEIVED_KIND_COUNT] = {3, 1, 2, 2, 1};
  for (int k = 0; k < RECEIVED_KIND_COUNT; k++) EXPECT_EQ(EngineTally[1].received[k], expected[k]) << k;
  for (std::uint32_t n : EngineTally[0].received) EXPECT_EQ(n, 0u);
  EXPECT_EQ(DeviceList.count, 2);
}

TEST_F(TallyTest, FailedSendsAreCountedWithTheSystemsCodeAndTheSearchKeepsItsSchedule) {
  UseInterfaces(2);
  SearchDevices(8, 1);
  const auto sent = net.Calls();
  const long long took = net.NowMicroseconds();
  net.sendError = 101;
  SearchDevices(8, 1);
  EXPECT_EQ(net.NowMicroseconds(), 2 * took);
  EXPECT_EQ(net.Calls().size(), 2 * sent.size());
  for (const InterfaceTally& t : {EngineTally[0], EngineTally[1]}) {
    EXPECT_EQ(t.sendAttempts[SEND_DATAGRAM], 4u);
    EXPECT_EQ(t.sendFailures[SEND_DATAGRAM], 2u);
    EXPECT_EQ(t.sendError[SEND_DATAGRAM], 101);
    EXPECT_EQ(t.sendAttempts[SEND_MULTICAST_INTERFACE], 4u);
    EXPECT_EQ(t.sendFailures[SEND_MULTICAST_INTERFACE], 0u);
  }
}

}  // namespace
