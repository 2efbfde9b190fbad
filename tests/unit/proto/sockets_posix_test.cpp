// The BSD socket backend over loopback only: no datagram leaves this host.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>

#include "platform/sockets.h"

namespace {

TEST(PosixSocketsTest, AddressTextsRoundTrip) {
  const platform::Ipv4 a = platform::InetAddr("192.168.0.10");
  const std::uint8_t bytes[] = {192, 168, 0, 10};
  EXPECT_EQ(0, std::memcmp(&a, bytes, 4));
  char text[16];
  platform::InetNtoa(a, text);
  EXPECT_STREQ(text, "192.168.0.10");
  platform::InetNtoa(platform::InetAddr("255.255.255.254"), text);
  EXPECT_STREQ(text, "255.255.255.254");
}

TEST(PosixSocketsTest, HostAddressesLeaveOutLoopback) {
  platform::Ipv4 addresses[8];
  const int n = platform::Sockets().HostAddresses(addresses, 8);
  ASSERT_GE(n, 0);
  ASSERT_LE(n, 8);
  for (int i = 0; i < n; i++) EXPECT_NE(reinterpret_cast<std::uint8_t*>(&addresses[i])[0], 127);
  EXPECT_EQ(platform::Sockets().HostAddresses(addresses, 0), 0);
}

TEST(PosixSocketsTest, ReceiveSocketBoundToAnInterfaceGetsItsUnicast) {
  platform::SocketService& net = platform::Sockets();
  const platform::Ipv4 loopback = platform::InetAddr("127.0.0.1");
  const platform::SocketHandle receiver = net.OpenUdp();
  ASSERT_NE(receiver, platform::kNoSocket);
  ASSERT_TRUE(net.SetReuseAddress(receiver, true));
  ASSERT_TRUE(net.BindReceive(receiver, loopback, 0));
  sockaddr_in bound{};
  socklen_t length = sizeof bound;
  ASSERT_EQ(getsockname(static_cast<int>(receiver), reinterpret_cast<sockaddr*>(&bound), &length), 0);
  EXPECT_EQ(bound.sin_addr.s_addr, loopback);

  EXPECT_FALSE(net.WaitReadable(receiver, 1000));
  const platform::SocketHandle sender = net.OpenUdp();
  EXPECT_TRUE(net.SetMulticastLoop(sender, false));
  const std::uint8_t datagram[] = {2, 1, 2, 3};
  ASSERT_EQ(net.SendTo(sender, datagram, 4, loopback, ntohs(bound.sin_port)), 4);
  ASSERT_TRUE(net.WaitReadable(receiver, 1000000));
  std::uint8_t buffer[8] = {};
  EXPECT_EQ(net.Receive(receiver, buffer, 3), 3);  // the rest of the datagram is dropped
  EXPECT_EQ(0, std::memcmp(buffer, datagram, 3));
  EXPECT_FALSE(net.WaitReadable(receiver, 1000));
  close(static_cast<int>(sender));
  close(static_cast<int>(receiver));
}

TEST(PosixSocketsTest, BindingToAnAddressNoDeviceHoldsFails) {
  platform::SocketService& net = platform::Sockets();
  const platform::SocketHandle s = net.OpenUdp();
  EXPECT_FALSE(net.BindReceive(s, platform::InetAddr("203.0.113.77"), 0));
  close(static_cast<int>(s));
}

}  // namespace
