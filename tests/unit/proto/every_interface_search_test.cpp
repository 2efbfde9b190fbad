#include <string>

#include "engine_fixture.h"
#include "proto/every_interface_search.h"

using testing_support::LongSearchReply;
using testing_support::ShortSearchReply;

namespace {

constexpr long long kMs = 1000;

// Interface i of the command line's table is 10.1.i.1, send socket 500 + i,
// receive socket 700 + i.
class EveryInterfaceTest : public EngineTest {
 protected:
  void UseTable(int n) {
    table = SearchInterfaceTable{};
    table.count = n;
    for (int i = 0; i < n; i++) {
      std::snprintf(table.address[i], ADDRESS_TEXT_SIZE, "10.1.%d.1", i & 0xFF);
      table.sendSockets[i] = 500 + i;
      table.receiveSockets[i] = 700 + i;
    }
  }
  void Search() { SearchEveryInterface(table, kTestClientId, 8, 1); }
  std::string Listed() const {
    std::string out;
    for (const DeviceRecord* r = DeviceList.head; r; r = r->next)
      out += std::string(out.empty() ? "" : " ") + r->name + "@" + std::to_string(r->interfaceIndex);
    return out;
  }

  SearchInterfaceTable table{};
};

TEST_F(EveryInterfaceTest, AnyNumberOfInterfacesTakesOneInterfacesSchedule) {
  for (int n : {1, 8, 64}) {
    UseTable(n);
    const long long start = net.NowMicroseconds();
    const std::size_t callsBefore = net.Calls().size();
    Search();
    std::vector<testing_support::VirtualSockets::Call> sends, waits;
    std::vector<long long> pauses;
    for (std::size_t c = callsBefore; c < net.Calls().size(); c++) {
      const auto& call = net.Calls()[c];
      if (call.kind == Kind::SendTo) sends.push_back(call);
      if (call.kind == Kind::WaitAnyReadable) waits.push_back(call);
      if (call.kind == Kind::SleepMs) pauses.push_back(call.value);
      // Each send is steered out of its own interface just before it leaves.
      if (call.kind == Kind::SendTo) {
        EXPECT_EQ(net.Calls()[c - 1].kind, Kind::SetMulticastInterface);
        EXPECT_EQ(net.Calls()[c - 1].address, platform::InetAddr(table.address[call.socket - 500]));
      }
    }
    ASSERT_EQ(sends.size(), 2u * n);
    for (int k = 0; k < 2 * n; k++) {
      EXPECT_EQ(sends[k].socket, 500 + k % n);  // one pass over every interface, then the second
      EXPECT_EQ(sends[k].bytes, std::vector<std::uint8_t>({OP_SEARCH, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0, 0, 0, 0}));
    }
    ASSERT_EQ(waits.size(), 32u);
    for (const auto& wait : waits) {
      EXPECT_EQ(wait.value, 10000);
      EXPECT_EQ(wait.waited.size(), static_cast<std::size_t>(n));
      EXPECT_EQ(wait.waited.back(), 700 + n - 1);
    }
    std::vector<long long> expected = {50, 50};
    expected.insert(expected.end(), 31, 20);
    EXPECT_EQ(pauses, expected);
    EXPECT_EQ(net.NowMicroseconds() - start, 1040 * kMs) << n << " interfaces";
    EXPECT_EQ(net.CountOf(Kind::WaitReadable), 0);  // one wait for all, never one per socket
  }
  UseTable(0);
  const std::size_t before = net.Calls().size();
  Search();
  EXPECT_EQ(net.Calls().size(), before);  // no interface: nothing sent, nothing waited for
}

TEST_F(EveryInterfaceTest, FirstReplyPerAddressWinsWithTheInterfaceThatDeliveredIt) {
  UseTable(12);
  // Queued together: interfaces are read in table order.
  net.Deliver(703, ShortSearchReply(kTestClientId, "10.9.0.1", "both"));
  net.Deliver(701, ShortSearchReply(kTestClientId, "10.9.0.1", "both-again"));
  // The ninth and later interfaces are searched like the others.
  net.Deliver(711, ShortSearchReply(kTestClientId, "10.9.0.2", "far"), 300 * kMs);
  net.Deliver(702, ShortSearchReply(kTestClientId, "10.9.0.2", "far-later"), 400 * kMs);
  net.Deliver(709, LongSearchReply(kTestClientId, "10.9.0.3", "long", 8, 1));
  net.Deliver(709, LongSearchReply(kTestClientId, "10.9.0.4", "other-codes", 8, 2));
  const std::uint8_t other[CLIENT_ID_SIZE] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x99};
  net.Deliver(704, ShortSearchReply(other, "10.9.0.5", "not-own"));
  net.Deliver(704, {OP_SEARCH_REPLY, 0x11});  // too short to decode
  Search();
  EXPECT_EQ(Listed(), "both-again@1 long@9 far@11");
  EXPECT_EQ(net.PendingCount(), 0);
}

TEST_F(EveryInterfaceTest, EachInterfaceReadsAtMostItsBoundAndFailedReadsAreNotCounted) {
  UseTable(3);
  for (int n = 0; n < 3; n++) net.DeliverFailedRead(700);
  for (int n = 0; n < 40; n++)
    net.Deliver(700, ShortSearchReply(kTestClientId, ("10.0.0." + std::to_string(n + 1)).c_str(), "d"));
  for (int n = 0; n < 2; n++)
    net.Deliver(702, ShortSearchReply(kTestClientId, ("10.2.0." + std::to_string(n + 1)).c_str(), "e"));
  Search();
  EXPECT_EQ(DeviceList.count, 32 + 2);
  EXPECT_EQ(net.PendingCount(), 8);  // interface 0's last ones stay in its socket
  EXPECT_EQ(net.CountOf(Kind::Receive), 3 + 32 + 2);
  // The failed reads were read again at once, in the first round.
  EXPECT_EQ(net.CountOf(Kind::WaitAnyReadable), 32 + 3);
  EXPECT_EQ(net.NowMicroseconds(), 100 * kMs + 31 * 20 * kMs);
}

TEST_F(EveryInterfaceTest, FloodsOnEveryInterfaceStayWithinTwiceTheSchedule) {
  UseTable(8);
  net.readCostMicroseconds = 20;
  for (int i = 0; i < 8; i++) {
    if (i % 2) {
      net.FloodFailedReads(700 + i);
    } else {
      net.Flood(700 + i, {0x63, 0, 0, 0, 0, 0, 0, 0});
    }
  }
  net.Deliver(705, ShortSearchReply(kTestClientId, "10.5.0.1", "heard"));
  Search();
  EXPECT_EQ(Listed(), "heard@5");
  EXPECT_LE(net.NowMicroseconds(), 2 * 1040 * kMs);
}

TEST_F(EveryInterfaceTest, OpensEveryAddressTheSystemGivesUpToItsLimit) {
  for (int n = 0; n < 70; n++) net.hostAddresses.push_back(platform::InetAddr(("10.1." + std::to_string(n) + ".1").c_str()));
  OpenSearchInterfaces(table, [](int, StartupStep, bool) {});
  ASSERT_EQ(table.count, SEARCH_MAX_ADDRESSES);
  EXPECT_STREQ(table.address[8], "10.1.8.1");
  EXPECT_STREQ(table.address[63], "10.1.63.1");
  const auto binds = net.CallsOf(Kind::BindReceive);
  ASSERT_EQ(binds.size(), 64u);
  EXPECT_EQ(binds[63].address, platform::InetAddr("10.1.63.1"));
  EXPECT_EQ(binds[63].socket, table.receiveSockets[63]);
  EXPECT_EQ(net.CallsOf(Kind::JoinGroup)[40].local, platform::InetAddr("10.1.40.1"));
  // Every send socket before the first receive socket, as the window opens them.
  const auto opened = net.CallsOf(Kind::OpenUdp);
  ASSERT_EQ(opened.size(), 128u);
  EXPECT_EQ(opened[63].socket, table.sendSockets[63]);
  EXPECT_EQ(opened[64].socket, table.receiveSockets[0]);
  EXPECT_EQ(LocalInterfaceTable.count, 0);  // the window's table is not touched
  net.hostAddresses.resize(3);
  OpenSearchInterfaces(table, [](int, StartupStep, bool) {});
  EXPECT_EQ(table.count, 3);
  EXPECT_STREQ(table.address[3], "");  // nothing past the system's addresses
}

}  // namespace
