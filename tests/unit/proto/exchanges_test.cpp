#include <string>

#include "engine_fixture.h"

using testing_support::ConfigReply;
using testing_support::LoginReply;
using testing_support::LongSearchReply;
using testing_support::ReplyHead;
using testing_support::ShareListReply;
using testing_support::ShortSearchReply;

namespace {

const std::uint8_t kOtherClientId[CLIENT_ID_SIZE] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x99};
constexpr long long kMs = 1000;  // virtual microseconds per millisecond

std::vector<long long> Repeat(long long value, int times) {
  return std::vector<long long>(static_cast<std::size_t>(times), value);
}

std::vector<long long> Joined(std::vector<long long> a, const std::vector<long long>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class SearchTest : public EngineTest {
 protected:
  std::vector<std::string> ListedNames() const {
    std::vector<std::string> names;
    for (const DeviceRecord* r = DeviceList.head; r; r = r->next) names.push_back(r->name);
    return names;
  }
};

TEST_F(SearchTest, SilentNetworkTakesTheFullScheduleOnEachInterfaceInTurn) {
  UseInterfaces(2);
  SearchDevices(8, 1);

  const auto sends = net.CallsOf(Kind::SendTo);
  ASSERT_EQ(sends.size(), 4u);
  for (int n = 0; n < 4; n++) {
    EXPECT_EQ(sends[n].socket, SendSocket(n / 2));
    EXPECT_EQ(sends[n].address, platform::InetAddr("224.0.0.1"));
    EXPECT_EQ(sends[n].port, 13579);
    EXPECT_EQ(sends[n].bytes.size(), 11u);
  }
  // Each send is steered out of its own interface just before it leaves.
  const auto& calls = net.Calls();
  for (std::size_t n = 0; n < calls.size(); n++) {
    if (calls[n].kind != Kind::SendTo) continue;
    ASSERT_GT(n, 0u);
    EXPECT_EQ(calls[n - 1].kind, Kind::SetMulticastInterface);
    EXPECT_EQ(calls[n - 1].socket, calls[n].socket);
    const int i = calls[n].socket == SendSocket(0) ? 0 : 1;
    EXPECT_EQ(calls[n - 1].address, platform::InetAddr(LocalInterfaceTable.address[i]));
  }
  EXPECT_EQ(Waits(ReceiveSocket(0)), 32);
  EXPECT_EQ(Waits(ReceiveSocket(1)), 32);
  for (const auto& wait : net.CallsOf(Kind::WaitReadable)) EXPECT_EQ(wait.value, 10000);
  const auto perInterface = Joined(Repeat(50, 2), Repeat(20, 31));
  EXPECT_EQ(Pauses(), Joined(perInterface, perInterface));
  // Interface 1 starts only after interface 0 is done.
  EXPECT_GT(sends[2].atMicroseconds, net.CallsOf(Kind::WaitReadable)[31].atMicroseconds);
  EXPECT_EQ(net.NowMicroseconds(), 2 * 1040 * kMs);
}

TEST_F(SearchTest, FailedReadsDoNotCountAndOnlyThirtyTwoDatagramsAreRead) {
  UseInterfaces(1);
  for (int n = 0; n < 5; n++) net.DeliverFailedRead(ReceiveSocket(0));
  for (int n = 0; n < 40; n++) {
    const std::string ip = "10.0.0." + std::to_string(n + 1);
    net.Deliver(ReceiveSocket(0), ShortSearchReply(kTestClientId, ip.c_str(), "d"));
  }
  SearchDevices(8, 1);
  EXPECT_EQ(Waits(ReceiveSocket(0)), 37);
  EXPECT_EQ(Pauses(), Joined(Repeat(50, 2), Repeat(20, 31)));
  EXPECT_EQ(DeviceList.count, 32);
  EXPECT_STREQ(DeviceList.tail->ipText, "10.0.0.32");
  EXPECT_EQ(net.PendingCount(), 8);  // left waiting in the socket
}

TEST_F(SearchTest, OnlyOwnRepliesWithMatchingCodesAreListed) {
  UseInterfaces(1);
  const platform::SocketHandle s = ReceiveSocket(0);
  net.Deliver(s, ShortSearchReply(kOtherClientId, "10.0.0.1", "foreign"));
  net.Deliver(s, LongSearchReply(kTestClientId, "10.0.0.2", "wrong-code2", 8, 2));
  net.Deliver(s, LongSearchReply(kTestClientId, "10.0.0.3", "wrong-code1", 9, 1));
  net.Deliver(s, ReplyHead(OP_QUERY_REPLY, kTestClientId, "10.0.0.4"));
  net.Deliver(s, LongSearchReply(kTestClientId, "10.0.0.5", "long", 8, 1));
  net.Deliver(s, ShortSearchReply(kTestClientId, "10.0.0.6", "short"));
  net.Deliver(s, {});
  SearchDevices(8, 1);
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{"long", "short"}));
  EXPECT_EQ(Waits(s), 32);  // ignored datagrams still count as polls

  net.Deliver(s, LongSearchReply(kTestClientId, "10.0.0.2", "a", 8, 2));
  net.Deliver(s, LongSearchReply(kTestClientId, "10.0.0.3", "b", 0, 0));
  net.Deliver(s, LongSearchReply(kTestClientId, "10.0.0.4", "c", 3, 1));
  SearchDevices(0, 0);
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a", "b", "c"}));

  net.Deliver(s, LongSearchReply(kTestClientId, "10.0.0.2", "a", 8, 2));
  net.Deliver(s, LongSearchReply(kTestClientId, "10.0.0.3", "b", 7, 1));
  SearchDevices(0, 1);
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{"b"}));
}

TEST_F(SearchTest, DeviceSeenOnTwoInterfacesKeepsTheFirstOne) {
  UseInterfaces(2);
  net.Deliver(ReceiveSocket(1), ShortSearchReply(kTestClientId, "10.0.0.7", "late"));
  net.Deliver(ReceiveSocket(0), LongSearchReply(kTestClientId, "10.0.0.7", "early", 8, 1));
  net.Deliver(ReceiveSocket(1), ShortSearchReply(kTestClientId, "10.0.0.8", "other"));
  SearchDevices(8, 1);
  ASSERT_EQ(DeviceList.count, 2);
  EXPECT_STREQ(DeviceList.head->name, "early");
  EXPECT_EQ(DeviceList.head->interfaceIndex, 0);
  EXPECT_EQ(DeviceList.tail->interfaceIndex, 1);
}

TEST_F(SearchTest, NewSearchReplacesTheListButKeepsTheSelection) {
  UseInterfaces(1);
  SelectDevice("10.0.0.9");
  SearchDevices(8, 1);
  EXPECT_EQ(DeviceList.count, 0);
  EXPECT_STREQ(SelectedDeviceIp, "10.0.0.9");
  const int sendsBefore = net.CountOf(Kind::SendTo);
  EXPECT_EQ(VerifyDeviceLogin(), 0);
  EXPECT_EQ(QueryShares(), 0);
  EXPECT_EQ(SetDeviceDhcp(), 0);
  EXPECT_EQ(SetDeviceStaticIp(), 0);
  EXPECT_EQ(net.CountOf(Kind::SendTo), sendsBefore);
}

TEST_F(SearchTest, NoInterfacesSendNothing) {
  SearchDevices(8, 1);
  EXPECT_EQ(net.Calls().size(), 0u);
  EXPECT_EQ(DeviceList.count, 0);
}

class LoginTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UseInterfaces(2);
    SelectDevice("10.0.0.5", 1);
  }
};

TEST_F(LoginTest, SilentDeviceGetsElevenPollsAndTenPauses) {
  EXPECT_EQ(VerifyDeviceLogin(), 0);
  const auto sends = net.CallsOf(Kind::SendTo);
  ASSERT_EQ(sends.size(), 1u);
  EXPECT_EQ(sends[0].socket, SendSocket(1));
  EXPECT_EQ(sends[0].bytes.size(), 30u);
  EXPECT_EQ(Waits(ReceiveSocket(1)), 11);
  EXPECT_EQ(Waits(ReceiveSocket(0)), 0);
  EXPECT_EQ(Pauses(), Repeat(100, 10));
  EXPECT_EQ(net.NowMicroseconds(), 1110 * kMs);
}

TEST_F(LoginTest, ResultByteIsReturnedAsSignedAndZeroEndsAtOnce) {
  net.Deliver(ReceiveSocket(1), LoginReply(kTestClientId, "10.0.0.5", 1));
  EXPECT_EQ(VerifyDeviceLogin(), 1);
  net.Deliver(ReceiveSocket(1), LoginReply(kTestClientId, "10.0.0.5", 0xFF));
  EXPECT_EQ(VerifyDeviceLogin(), -1);
  const int waitsBefore = Waits(ReceiveSocket(1));
  net.Deliver(ReceiveSocket(1), LoginReply(kTestClientId, "10.0.0.5", 0));
  EXPECT_EQ(VerifyDeviceLogin(), 0);
  EXPECT_EQ(Waits(ReceiveSocket(1)) - waitsBefore, 1);
  EXPECT_TRUE(Pauses().empty());
}

TEST_F(LoginTest, OtherOpcodesAndFailedReadsAreNotCounted) {
  for (int n = 0; n < 15; n++) {
    net.Deliver(ReceiveSocket(1), ShortSearchReply(kTestClientId, "10.0.0.5", "x"));
  }
  net.Deliver(ReceiveSocket(1), ConfigReply(kTestClientId, "10.0.0.5"));
  net.DeliverFailedRead(ReceiveSocket(1));
  net.Deliver(ReceiveSocket(1), {});
  EXPECT_EQ(VerifyDeviceLogin(), 0);
  EXPECT_EQ(Waits(ReceiveSocket(1)), 11 + 18);
  EXPECT_EQ(Pauses(), Repeat(100, 10));
}

TEST_F(LoginTest, ForeignWrongAddressAndTruncatedAnswersCostAPoll) {
  const platform::SocketHandle s = ReceiveSocket(1);
  net.Deliver(s, LoginReply(kOtherClientId, "10.0.0.5", 1));
  net.Deliver(s, LoginReply(kTestClientId, "10.0.0.6", 1));
  std::vector<std::uint8_t> truncated = LoginReply(kTestClientId, "10.0.0.5", 1);
  truncated.pop_back();  // no result byte
  net.Deliver(s, truncated);
  net.Deliver(s, LoginReply(kTestClientId, "10.0.0.5", 1), 250 * kMs);
  EXPECT_EQ(VerifyDeviceLogin(), 1);
  EXPECT_EQ(Pauses(), Repeat(100, 3));  // one per counted poll before the answer came
  EXPECT_EQ(Waits(s), 4);
}

TEST_F(LoginTest, AnswerMustArriveWithinTheEleventhPoll) {
  // The eleventh poll waits from 1100 ms to 1110 ms.
  net.Deliver(ReceiveSocket(1), LoginReply(kTestClientId, "10.0.0.5", 1), 1110 * kMs);
  EXPECT_EQ(VerifyDeviceLogin(), 1);
  net.Deliver(ReceiveSocket(1), LoginReply(kTestClientId, "10.0.0.5", 1),
              net.NowMicroseconds() + 1111 * kMs);
  EXPECT_EQ(VerifyDeviceLogin(), 0);
  EXPECT_EQ(net.PendingCount(), 1);
}

class SharesTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UseInterfaces(1);
    SelectDevice("10.0.0.5");
  }
};

TEST_F(SharesTest, DrainsElevenPollsThenSendsAndDecodes) {
  const platform::SocketHandle s = ReceiveSocket(0);
  net.Deliver(s, ShareListReply(kTestClientId, "10.0.0.5", "stale"));
  net.Deliver(s, ShortSearchReply(kTestClientId, "10.0.0.5", "x"));
  net.Deliver(s, ShareListReply(kTestClientId, "10.0.0.5", "public:media:public"), 200 * kMs);
  ASSERT_EQ(QueryShares(), 1);
  const auto& calls = net.Calls();
  int waitsBeforeSend = 0;
  std::size_t n = 0;
  for (; calls[n].kind != Kind::SendTo; n++) {
    EXPECT_NE(calls[n].kind, Kind::SleepMs);
    waitsBeforeSend += calls[n].kind == Kind::WaitReadable;
  }
  EXPECT_EQ(waitsBeforeSend, 11);
  EXPECT_EQ(calls[n].bytes.size(), 28u);
  ASSERT_EQ(ShareList.count, 2);
  EXPECT_STREQ(ShareList.head->name, "public");
  EXPECT_STREQ(ShareList.tail->name, "media");
}

TEST_F(SharesTest, SilentDeviceEmptiesTheListAfterTwentyOnePolls) {
  AppendShare("old");
  EXPECT_EQ(QueryShares(), 0);
  EXPECT_EQ(ShareList.count, 0);
  EXPECT_EQ(Waits(ReceiveSocket(0)), 11 + 21);
  EXPECT_EQ(Pauses(), Repeat(100, 20));
  EXPECT_EQ(net.NowMicroseconds(), (320 + 2000) * kMs);
}

TEST_F(SharesTest, EmptyShareTextIsAnAnswer) {
  net.Deliver(ReceiveSocket(0), ShareListReply(kTestClientId, "10.0.0.5", ""), 150 * kMs);
  EXPECT_EQ(QueryShares(), 1);
  EXPECT_EQ(ShareList.count, 0);
}

TEST_F(SharesTest, UnknownDeviceClearsTheListWithoutSending) {
  AppendShare("old");
  std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "10.0.0.99");
  EXPECT_EQ(QueryShares(), 0);
  EXPECT_EQ(ShareList.count, 0);
  EXPECT_TRUE(net.Calls().empty());
}

class ConfigTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UseInterfaces(1);
    SelectDevice("10.0.0.5");
    std::snprintf(NewIpText, sizeof NewIpText, "10.0.0.50");
    std::snprintf(NewNetmaskText, sizeof NewNetmaskText, "255.255.0.0");
    std::snprintf(NewGatewayText, sizeof NewGatewayText, "10.0.0.1");
  }
  void ExpectUnchanged() {
    EXPECT_STREQ(SelectedDeviceIp, "10.0.0.5");
    EXPECT_STREQ(DeviceList.head->ipText, "10.0.0.5");
    EXPECT_STREQ(DeviceList.head->netmaskText, "255.255.255.0");
    EXPECT_EQ(DeviceList.head->identity[9], 5);
  }
};

TEST_F(ConfigTest, DhcpConfirmationFromAnyAddressMovesTheDevice) {
  net.Deliver(ReceiveSocket(0), ConfigReply(kOtherClientId, "192.168.1.99"));
  net.Deliver(ReceiveSocket(0), LoginReply(kTestClientId, "10.0.0.5", 1));
  net.Deliver(ReceiveSocket(0), ConfigReply(kTestClientId, "192.168.1.20"), 500 * kMs);
  ASSERT_EQ(SetDeviceDhcp(), 1);
  EXPECT_EQ(net.CallsOf(Kind::SendTo)[0].bytes.size(), 60u);
  EXPECT_STREQ(SelectedDeviceIp, "192.168.1.20");
  const DeviceRecord* r = DeviceList.head;
  EXPECT_STREQ(r->ipText, "192.168.1.20");
  const std::uint8_t identity[] = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xC0, 0xA8, 0x01, 0x14};
  EXPECT_EQ(0, std::memcmp(r->identity, identity, IDENTITY_SIZE));
  EXPECT_STREQ(r->netmaskText, "255.255.255.0");
  EXPECT_STREQ(r->dhcpFlag, "0");

  // The device is found under its new address and addressed by its new identity.
  std::uint8_t request[DATAGRAM_SIZE] = {};
  ASSERT_EQ(PageShareListRequest(request), 28);
  EXPECT_EQ(0, std::memcmp(request + 11, identity, IDENTITY_SIZE));
}

TEST_F(ConfigTest, UnconfirmedChangeRunsOneHundredAndOnePolls) {
  EXPECT_EQ(SetDeviceDhcp(), 0);
  EXPECT_EQ(Waits(ReceiveSocket(0)), 101);
  EXPECT_EQ(Pauses(), Repeat(100, 100));
  EXPECT_EQ(net.NowMicroseconds(), 11010 * kMs);
  ExpectUnchanged();

  net.Deliver(ReceiveSocket(0), ConfigReply(kTestClientId, "10.0.0.50"),
              net.NowMicroseconds() + 11011 * kMs);
  EXPECT_EQ(SetDeviceStaticIp(), 0);
  EXPECT_EQ(Waits(ReceiveSocket(0)), 202);
  ExpectUnchanged();
}

TEST_F(ConfigTest, StaticChangeWaitsForTheNewAddress) {
  const platform::SocketHandle s = ReceiveSocket(0);
  net.Deliver(s, ConfigReply(kTestClientId, "10.0.0.5"));
  net.Deliver(s, ShareListReply(kTestClientId, "10.0.0.5", "x"));
  net.DeliverFailedRead(s);
  net.Deliver(s, ConfigReply(kTestClientId, "10.0.0.50"), 300 * kMs);
  ASSERT_EQ(SetDeviceStaticIp(), 1);
  EXPECT_EQ(net.CallsOf(Kind::SendTo)[0].bytes.size(), 69u);
  EXPECT_EQ(Pauses(), Repeat(100, 3));
  EXPECT_STREQ(SelectedDeviceIp, "10.0.0.50");
  const DeviceRecord* r = DeviceList.head;
  EXPECT_STREQ(r->ipText, "10.0.0.50");
  EXPECT_STREQ(r->netmaskText, "255.255.0.0");
  EXPECT_STREQ(r->gatewayText, "10.0.0.1");
  EXPECT_STREQ(r->dhcpFlag, "0");
  const std::uint8_t address[] = {10, 0, 0, 50};
  EXPECT_EQ(0, std::memcmp(r->identity + 6, address, 4));
}

TEST_F(ConfigTest, TruncatedConfirmationIsNotTaken) {
  std::vector<std::uint8_t> reply = ConfigReply(kTestClientId, "192.168.1.20");
  reply.resize(20);
  net.Deliver(ReceiveSocket(0), reply);
  EXPECT_EQ(SetDeviceDhcp(), 0);
  ExpectUnchanged();
}

// --- Uncounted polls under an endless stream and under a normal drain ---

constexpr long long kReadCost = 20;  // virtual microseconds a read takes

struct Exchange {
  const char* name;
  int (*run)();
  long long silentMs;    // its whole schedule when nothing answers
  int pauses;            // pauses after counted polls when nothing answers
  unsigned pauseMs;
  long long inPauseMs;   // a time inside its first pause after a counted poll
};

int Search() { return SearchDevices(8, 1), 0; }

const Exchange kExchanges[] = {
    {"Search", Search, 1040, 31, 20, 115},
    {"Login", VerifyDeviceLogin, 1110, 10, 100, 60},
    {"Shares", QueryShares, 2320, 20, 100, 170},
    {"Dhcp", SetDeviceDhcp, 11010, 100, 100, 60},
    {"StaticIp", SetDeviceStaticIp, 11010, 100, 100, 60},
};

class UncountedRunTest : public ConfigTest, public ::testing::WithParamInterface<Exchange> {
 protected:
  void SetUp() override {
    ConfigTest::SetUp();
    net.readCostMicroseconds = kReadCost;
  }
  // The pauses of the silent schedule: every counted poll is still there.
  std::vector<long long> SilentPauses() const {
    std::vector<long long> ms;
    if (GetParam().run == Search) ms = {50, 50};
    ms.insert(ms.end(), static_cast<std::size_t>(GetParam().pauses), GetParam().pauseMs);
    return ms;
  }
  // Opcode 1 is a search request, which no exchange awaits.
  std::vector<std::uint8_t> OtherOpcode() const {
    return testing_support::ReplyHead(1, kTestClientId, "10.0.0.9");
  }
};

TEST_P(UncountedRunTest, EndlessStreamEndsWithinTwiceTheSchedule) {
  for (bool failedReads : {false, true}) {
    SCOPED_TRACE(failedReads ? "failed reads" : "other opcodes");
    const long long start = net.NowMicroseconds();
    const std::size_t pausesBefore = Pauses().size();
    // Past the bound below, so that an exchange without one fails rather than hangs.
    const long long end = start + 4 * GetParam().silentMs * kMs;
    if (failedReads) {
      net.FloodFailedReads(ReceiveSocket(0), start, end);
    } else {
      net.Flood(ReceiveSocket(0), OtherOpcode(), start, end);
    }
    EXPECT_EQ(GetParam().run(), 0);
    EXPECT_LE(net.NowMicroseconds() - start, 2 * GetParam().silentMs * kMs);
    const std::vector<long long> pauses = Pauses();
    EXPECT_EQ(std::vector<long long>(pauses.begin() + pausesBefore, pauses.end()), SilentPauses());
  }
}

TEST_P(UncountedRunTest, DrainOfFiveHundredDatagramsKeepsTheSchedule) {
  for (int n = 0; n < 500; n++) {
    // A search counts every datagram; only failed reads go uncounted there.
    if (GetParam().run == Search) {
      net.DeliverFailedRead(ReceiveSocket(0), GetParam().inPauseMs * kMs);
    } else {
      net.Deliver(ReceiveSocket(0), OtherOpcode(), GetParam().inPauseMs * kMs);
    }
  }
  EXPECT_EQ(GetParam().run(), 0);
  EXPECT_EQ(net.PendingCount(), 0);
  EXPECT_EQ(Pauses(), SilentPauses());
  EXPECT_EQ(net.NowMicroseconds(), GetParam().silentMs * kMs + 500 * kReadCost);
}

INSTANTIATE_TEST_SUITE_P(Exchanges, UncountedRunTest, ::testing::ValuesIn(kExchanges),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
