#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "cli/session/change_outcome.h"
#include "cli/session/reply_witness.h"
#include "cli/session/search_interfaces.h"
#include "cli/session/startup_check.h"
#include "cli/address/usable_address.h"
#include "proto/exchanges.h"
#include "tests/support/virtual_sockets.h"

namespace {

using Kind = testing_support::VirtualSockets::CallKind;

// A device on the tenth interface, past the window's table, is listed and
// witnessed with it and reached by the engine's exchanges through the lease;
// afterwards its record and the engine's table are as before.
TEST(SearchInterfaces, LeaseLetsTheEngineReachADeviceOnAnyInterface) {
  testing_support::VirtualSockets net;
  ResetDiscoveryState();
  for (int n = 0; n < 10; n++) net.hostAddresses.push_back(platform::InetAddr(("10.7." + std::to_string(n) + ".1").c_str()));
  ReplyWitness witness(net);
  platform::UseSockets(&witness);
  StartCommandLineSearch();
  ASSERT_EQ(CommandLineInterfaces.count, 10);
  EXPECT_EQ(SearchedInterfaceCount(), 10);
  EXPECT_EQ(SearchedInterfaceOf(CommandLineInterfaces.receiveSockets[9]), 9);
  EXPECT_EQ(SearchedInterfaceOf(CommandLineInterfaces.sendSockets[9]), -1);
  for (int request = 0; request < 2; request++)  // a device answers each of the two requests
    net.Deliver(CommandLineInterfaces.receiveSockets[9], testing_support::ShortSearchReply(ClientId, "10.7.9.20", "far"));
  SearchCommandLineInterfaces();
  ASSERT_EQ(DeviceList.count, 1);
  EXPECT_STREQ(SearchedInterfaceAddress(DeviceList.head->interfaceIndex), "10.7.9.1");
  ASSERT_EQ(witness.Answers(9).size(), 1u);
  EXPECT_STREQ(witness.Answers(9)[0].ipText, "10.7.9.20");

  // A late search reply that the exchange reads through the leased socket.
  net.Deliver(CommandLineInterfaces.receiveSockets[9], testing_support::ShortSearchReply(ClientId, "10.7.9.21", "late"));
  net.Deliver(CommandLineInterfaces.receiveSockets[9], testing_support::ShareListReply(ClientId, "10.7.9.20", "docs"),
              net.NowMicroseconds() + 150000);
  int answered;
  {
    const InterfaceLease lease("10.7.9.20");
    answered = QuerySharesOf("10.7.9.20");
  }
  EXPECT_EQ(answered, 1);
  ASSERT_NE(ShareList.head, nullptr);
  EXPECT_STREQ(ShareList.head->name, "docs");
  const auto sends = net.CallsOf(Kind::SendTo);
  EXPECT_EQ(sends.back().socket, CommandLineInterfaces.sendSockets[9]);
  EXPECT_EQ(net.CallsOf(Kind::SetMulticastInterface).back().address, platform::InetAddr("10.7.9.1"));
  for (const auto& wait : net.CallsOf(Kind::WaitReadable)) EXPECT_EQ(wait.socket, CommandLineInterfaces.receiveSockets[9]);
  EXPECT_EQ(DeviceList.head->interfaceIndex, 9);
  EXPECT_EQ(LocalInterfaceTable.count, 0);
  EXPECT_EQ(witness.QueryRepliesFrom("10.7.9.20"), 1);
  ASSERT_EQ(witness.Answers(9).size(), 2u);  // the leased socket's replies stay its interface's
  EXPECT_STREQ(witness.Answers(9)[1].ipText, "10.7.9.21");
  EXPECT_TRUE(witness.Answers(0).empty());
  EXPECT_EQ(AnsweredDevices(witness).size(), 2u);  // the truth after a change hears the tenth interface
  // The same device heard again through another interface is still one device.
  net.Deliver(CommandLineInterfaces.receiveSockets[0], testing_support::ShortSearchReply(ClientId, "10.7.9.20", "far"));
  SearchCommandLineInterfaces();
  ASSERT_EQ(witness.Answers(0).size(), 1u);
  EXPECT_EQ(AnsweredDevices(witness).size(), 2u);

  // The address of any interface belongs to this PC; an unlisted device gets no lease.
  EXPECT_EQ(AddressHolder("10.7.9.1", *DeviceList.head, {DeviceList.head}), "this PC");
  {
    const InterfaceLease none("10.7.9.99");
    EXPECT_EQ(LocalInterfaceTable.count, 0);
    EXPECT_EQ(QuerySharesOf("10.7.9.99"), 0);
  }
  DeviceList.head->interfaceIndex = CommandLineInterfaces.count;  // past the table: no lease
  {
    const InterfaceLease past("10.7.9.20");
    EXPECT_EQ(LocalInterfaceTable.count, 0);
  }
  platform::UseSockets(&net);
  CommandLineInterfaces = SearchInterfaceTable{};
  EXPECT_EQ(SearchedInterfaceOf(ReceiveSockets[0]), -1);  // the engine's table, empty
  ResetDiscoveryState();
}

// The start-up check reads the command line's own sockets: binds that failed
// on every one of its interfaces, the ninth and tenth too, are said.
TEST(SearchInterfaces, StartupCheckSeesTheCommandLinesFailedBinds) {
  testing_support::VirtualSockets net;
  ResetDiscoveryState();
  for (int n = 0; n < 10; n++) net.hostAddresses.push_back(platform::InetAddr(("10.7." + std::to_string(n) + ".1").c_str()));
  net.bindError = 98;
  platform::UseSockets(&net);
  StartCommandLineSearch();
  const std::vector<StartedInterface> started = StartedInterfaces();
  ASSERT_EQ(started.size(), 10u);
  EXPECT_EQ(started[9].address, "10.7.9.1");
  EXPECT_TRUE(StepFailed(started[9].tally, STEP_BIND));
  EXPECT_EQ(started[9].tally.stepError[STEP_BIND], 98);
  EXPECT_FALSE(StepFailed(started[9].tally, STEP_RECEIVE_OPEN));
  EXPECT_EQ(StartupProblem(started).find("port 13579 could not be bound on interfaces 10.7.0.1"), 0u);
  EXPECT_EQ(LocalInterfaceTable.count, 0);  // the engine's table is not the one read
  CommandLineInterfaces = SearchInterfaceTable{};
  std::memset(CommandLineTally, 0, sizeof CommandLineTally);
  ResetDiscoveryState();
}

}  // namespace
