// Uncounted polls (failed reads, datagrams of other opcodes) under an endless
// stream and under a normal drain, on the virtual clock.
#include "engine_fixture.h"

namespace {

constexpr long long kMs = 1000;
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

class UncountedRunTest : public EngineTest, public ::testing::WithParamInterface<Exchange> {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UseInterfaces(1);
    SelectDevice("10.0.0.5");
    std::snprintf(NewIpText, sizeof NewIpText, "10.0.0.50");
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
    if (failedReads) {
      net.FloodFailedReads(ReceiveSocket(0), start);
    } else {
      net.Flood(ReceiveSocket(0), OtherOpcode(), start);
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
