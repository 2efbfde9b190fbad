// The BSD socket backend over loopback only: no datagram leaves this host.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
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
  ASSERT_NE(receiver, platform::NO_SOCKET);
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
  // An empty datagram is a read of no bytes, not a failed read.
  ASSERT_EQ(net.SendTo(sender, datagram, 0, loopback, ntohs(bound.sin_port)), 0);
  ASSERT_TRUE(net.WaitReadable(receiver, 1000000));
  EXPECT_EQ(net.Receive(receiver, buffer, 3), 0);
  EXPECT_FALSE(net.WaitReadable(receiver, 1000));
  close(static_cast<int>(sender));
  close(static_cast<int>(receiver));
}

// A datagram can vanish between the poll that reported it and the read (Linux
// drops one with a bad checksum there): the read then fails at once.
TEST(PosixSocketsTest, ReadAfterAReadablePollFindingNothingFailsAtOnce) {
  platform::SocketService& net = platform::Sockets();
  int pair[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_DGRAM, 0, pair), 0);
  const timeval bound = {2, 0};  // a read that waits ends here rather than hanging the test
  ASSERT_EQ(setsockopt(pair[0], SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound), 0);
  ASSERT_EQ(write(pair[1], "x", 1), 1);
  ASSERT_TRUE(net.WaitReadable(pair[0], 1000000));
  char taken;
  ASSERT_EQ(read(pair[0], &taken, 1), 1);  // gone before the engine reads it

  std::uint8_t buffer[8];
  const long long start = net.MonotonicMicroseconds();
  EXPECT_EQ(net.Receive(pair[0], buffer, sizeof buffer), -1);
  EXPECT_LT(net.MonotonicMicroseconds() - start, 500000);
  close(pair[0]);
  close(pair[1]);
}

TEST(PosixSocketsTest, BindingToAnAddressNoDeviceHoldsFails) {
  platform::SocketService& net = platform::Sockets();
  const platform::SocketHandle s = net.OpenUdp();
  EXPECT_FALSE(net.BindReceive(s, platform::InetAddr("203.0.113.77"), 0));
  close(static_cast<int>(s));
}

}  // namespace
