// Engine state brought back to its start values around each test, with the
// virtual socket service installed and a fixed requester identifier.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "page_requests.h"
#include "proto/exchanges.h"
#include "proto/wire.h"
#include "tests/support/virtual_sockets.h"

inline constexpr std::uint8_t kTestClientId[CLIENT_ID_SIZE] = {0x11, 0x22, 0x33, 0x44, 0x55,
                                                               0x66, 0, 0, 0, 0};

class EngineTest : public ::testing::Test {
 protected:
  using Kind = testing_support::VirtualSockets::CallKind;

  void SetUp() override {
    ResetDiscoveryState();
    std::memcpy(ClientId, kTestClientId, CLIENT_ID_SIZE);
  }
  void TearDown() override { ResetDiscoveryState(); }

  // Interface i is 192.168.i.100 with send socket 10 * (i + 1) and receive socket 10 * (i + 1) + 1.
  void UseInterfaces(int n) {
    LocalInterfaceTable.count = n;
    for (int i = 0; i < n; i++) {
      std::snprintf(LocalInterfaceTable.address[i], ADDRESS_TEXT_SIZE, "192.168.%d.100", i & 0xFF);
      SendSockets[i] = SendSocket(i);
      ReceiveSockets[i] = ReceiveSocket(i);
    }
  }
  static platform::SocketHandle SendSocket(int i) { return 10 * (i + 1); }
  static platform::SocketHandle ReceiveSocket(int i) { return 10 * (i + 1) + 1; }

  // Lists a device as a search would and selects it.
  DeviceRecord* SelectDevice(const char* ip, int interfaceIndex = 0, const char* name = "nas") {
    std::uint8_t identity[IDENTITY_SIZE] = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6};
    const platform::Ipv4 address = platform::InetAddr(ip);
    std::memcpy(identity + 6, &address, 4);
    AppendDevice(name, ip, "255.255.255.0", "192.168.0.1", identity, "0", interfaceIndex);
    std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "%s", ip);
    return DeviceList.tail;
  }

  int Waits(platform::SocketHandle s) const {
    int n = 0;
    for (const auto& call : net.CallsOf(Kind::WaitReadable)) n += call.socket == s;
    return n;
  }
  std::vector<long long> Pauses() const {
    std::vector<long long> ms;
    for (const auto& call : net.CallsOf(Kind::SleepMs)) ms.push_back(call.value);
    return ms;
  }

  testing_support::VirtualSockets net;
};
