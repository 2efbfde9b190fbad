#include "engine_fixture.h"
#include "proto/local_interfaces.h"

namespace {

class StartupTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    std::memset(ClientId, 0xFF, sizeof ClientId);
  }
  void HostHas(int n) {
    for (int i = 0; i < n; i++) {
      const std::string ip = "198.18." + std::to_string(i) + ".1";
      net.hostAddresses.push_back(platform::InetAddr(ip.c_str()));
    }
  }
};

TEST_F(StartupTest, UsesTheFirstEightAddressesInResolverOrder) {
  HostHas(10);
  BuildLocalInterfaceTable();
  ASSERT_EQ(LocalInterfaceTable.count, 8);
  EXPECT_STREQ(LocalInterfaceTable.address[0], "198.18.0.1");
  EXPECT_STREQ(LocalInterfaceTable.address[7], "198.18.7.1");
  for (int i = 6; i < CLIENT_ID_SIZE; i++) EXPECT_EQ(ClientId[i], 0) << i;
}

TEST_F(StartupTest, OpensAllSendSocketsThenConfiguredReceiveSockets) {
  HostHas(2);
  DiscoveryStartup();
  using K = Kind;
  std::vector<K> kinds;
  for (const auto& call : net.Calls()) kinds.push_back(call.kind);
  const std::vector<K> expected = {
      K::StartLibrary,     K::HostAddresses,   K::OpenUdp,     K::SetMulticastLoop,
      K::OpenUdp,          K::SetMulticastLoop, K::OpenUdp,    K::SetReuseAddress,
      K::BindReceive,      K::JoinGroup,       K::SetMulticastLoop, K::OpenUdp,
      K::SetReuseAddress,  K::BindReceive,     K::JoinGroup,   K::SetMulticastLoop};
  ASSERT_EQ(kinds, expected);

  const auto& calls = net.Calls();
  EXPECT_EQ(SendSockets[0], calls[2].socket);
  EXPECT_EQ(SendSockets[1], calls[4].socket);
  EXPECT_EQ(ReceiveSockets[0], calls[6].socket);
  EXPECT_EQ(ReceiveSockets[1], calls[11].socket);
  for (int n : {3, 5, 10, 15}) EXPECT_FALSE(calls[n].flag) << n;  // no loopback of our own sends
  EXPECT_TRUE(calls[7].flag);
  for (int i = 0; i < 2; i++) {
    const auto& bind = calls[8 + 5 * i];
    const auto& join = calls[9 + 5 * i];
    EXPECT_EQ(bind.socket, ReceiveSockets[i]);
    EXPECT_EQ(bind.address, platform::InetAddr(LocalInterfaceTable.address[i]));
    EXPECT_EQ(bind.port, 13579);
    EXPECT_EQ(join.address, platform::InetAddr("224.0.0.1"));
    EXPECT_EQ(join.local, bind.address);
  }
  for (int i = 6; i < CLIENT_ID_SIZE; i++) EXPECT_EQ(ClientId[i], 0) << i;
}

TEST_F(StartupTest, NoAddressesMeansNoSockets) {
  DiscoveryStartup();
  EXPECT_EQ(LocalInterfaceTable.count, 0);
  EXPECT_EQ(net.CountOf(Kind::OpenUdp), 0);
  SearchDevices(8, 1);
  EXPECT_EQ(net.CountOf(Kind::SendTo), 0);
  EXPECT_EQ(DeviceList.count, 0);
}

TEST_F(StartupTest, SocketLibraryFailureEndsTheProcessWithStatusOne) {
  net.startSucceeds = false;
  EXPECT_EXIT(DiscoveryStartup(), ::testing::ExitedWithCode(1), "");
}

TEST_F(StartupTest, ResetBringsBackStartValues) {
  HostHas(3);
  DiscoveryStartup();
  SelectDevice("10.0.0.1");
  AppendShare("s");
  ResetDiscoveryState();
  EXPECT_EQ(LocalInterfaceTable.count, 0);
  EXPECT_EQ(LocalInterfaceTable.address[0][0], 0);
  EXPECT_EQ(SendSockets[0], 0);
  EXPECT_EQ(ReceiveSockets[2], 0);
  EXPECT_EQ(DeviceList.count, 0);
  EXPECT_EQ(ShareList.head, nullptr);
  EXPECT_EQ(SelectedDeviceIp[0], 0);
  for (std::uint8_t byte : ClientId) EXPECT_EQ(byte, 0);
}

}  // namespace
