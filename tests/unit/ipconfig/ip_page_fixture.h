// An IP Settings page over in-memory controls, with one selected device behind
// a socket double that answers the page's requests as a device would.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "framework/memory_ui.h"
#include "ipconfig/ip_settings_page.h"
#include "platform/sysinfo_memory.h"
#include "proto/exchanges.h"
#include "proto/wire.h"
#include "res/resource.h"
#include "shared/login_dialog.h"
#include "shared/selected_device.h"
#include "tests/support/virtual_sockets.h"

namespace ipconfig_test {

inline constexpr std::uint8_t kClientId[CLIENT_ID_SIZE] = {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0, 0, 0, 0};
inline constexpr platform::SocketHandle kSendSocket = 10, kReceiveSocket = 11;

struct SimDevice {
  std::string name, ip, netmask, gateway;
  char dhcp;
};

// Replies at once, from the device's current address, to what the page sends.
class DeviceDouble : public testing_support::VirtualSockets {
 public:
  std::vector<SimDevice> devices;  // answer searches in this order
  std::deque<int> loginAnswers;    // result byte per login; none left: silence
  bool confirmChanges = true;
  std::string dhcpAddress = "10.1.1.77";
  std::vector<std::string> credentials;  // "user/password" of every login request
  std::vector<std::vector<std::uint8_t>> configRequests;

  int SendTo(platform::SocketHandle s, const std::uint8_t* data, int size, platform::Ipv4 to,
             std::uint16_t port) override {
    const int sent = VirtualSockets::SendTo(s, data, size, to, port);
    const std::vector<std::uint8_t> request(data, data + size);
    if (request[0] == OP_SEARCH) {
      for (const SimDevice& d : devices) {
        Deliver(kReceiveSocket, testing_support::LongSearchReply(kClientId, d.ip.c_str(), d.name, 8, 1,
                                                                 d.netmask.c_str(), d.gateway.c_str(), d.dhcp),
                NowMicroseconds());
      }
    } else if (request[0] == OP_QUERY && request[21] == QUERY_LOGIN) {
      const char* text = reinterpret_cast<const char*>(request.data() + 28);
      std::string both(text, request.size() - 28);
      const std::size_t separator = both.find("\x55\xAA");
      credentials.push_back(both.substr(0, separator) + "/" + both.substr(separator + 2));
      if (!loginAnswers.empty()) {
        Deliver(kReceiveSocket, testing_support::LoginReply(kClientId, devices[0].ip.c_str(),
                                                            static_cast<std::uint8_t>(loginAnswers.front())),
                NowMicroseconds());
        loginAnswers.pop_front();
      }
    } else if (request[0] == OP_CONFIG) {
      configRequests.push_back(request);
      if (confirmChanges) Move(request);
    }
    return sent;
  }

 private:
  // The device takes its new configuration and confirms from its new address.
  void Move(const std::vector<std::uint8_t>& request) {
    SimDevice& d = devices[0];
    if (request[21] == CONFIG_DHCP) {
      d.ip = dhcpAddress;
      d.dhcp = '1';
    } else {
      auto text = [&](std::size_t at, std::size_t n) {
        return std::string(reinterpret_cast<const char*>(request.data() + at), strnlen(reinterpret_cast<const char*>(request.data() + at), n));
      };
      d.netmask = text(24, 16);
      d.gateway = text(40, 16);
      d.ip = text(60, request.size() - 60);
      d.dhcp = '0';
    }
    Deliver(kReceiveSocket, testing_support::ConfigReply(kClientId, d.ip.c_str()), NowMicroseconds());
  }
};

class IpPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset();
    std::memcpy(ClientId, kClientId, CLIENT_ID_SIZE);
    LocalInterfaceTable.count = 1;
    std::snprintf(LocalInterfaceTable.address[0], ADDRESS_TEXT_SIZE, "192.168.1.100");
    SendSockets[0] = kSendSocket;
    ReceiveSockets[0] = kReceiveSocket;
    ASSERT_TRUE(page.Create(CIpSettingsPage::IDD));
  }
  void TearDown() override { Reset(); }
  static void Reset() {
    memory_ui::Reset();
    platform::memory_sysinfo::Reset();
    ResetDiscoveryState();
    ResetSelectedDevice();
    LoginPurpose = LOGIN_FOR_SHARE;
  }

  // Lists the device, picks it as the Search Device page would, and paints the page.
  void Pick(const SimDevice& d) {
    net.devices.push_back(d);
    SearchDevices(8, 1);
    std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "%s", d.ip.c_str());
    SelectedDevice.deviceName = d.name;
    SelectedDevice.deviceIpText = SelectedDevice.shareHostText = d.ip;
    SelectedDevice.deviceNetmaskText = d.netmask;
    SelectedDevice.deviceGatewayText = d.gateway;
    SelectedDevice.ipAddress = platform::InetAddr(d.ip.c_str());
    SelectedDevice.netmaskAddress = platform::InetAddr(d.netmask.c_str());
    SelectedDevice.gatewayAddress = platform::InetAddr(d.gateway.c_str());
    SelectedDevice.dhcpEnabled = d.dhcp == '1';
    SelectedDevice.deviceSelected = 1;
    memory_ui::Paint(page);
    sentBeforeModify = net.CountOf(Kind::SendTo);
  }

  void Type(int id, int a, int b, int c, int d) { memory_ui::SetAddressFields(page, id, a, b, c, d); }
  void TypeStatic(std::array<int, 4> ip, std::array<int, 4> mask, std::array<int, 4> gw) {
    Type(IDC_IP_ADDRESS, ip[0], ip[1], ip[2], ip[3]);
    Type(IDC_NETMASK, mask[0], mask[1], mask[2], mask[3]);
    Type(IDC_GATEWAY, gw[0], gw[1], gw[2], gw[3]);
  }
  void Modify() { memory_ui::Click(page, IDC_MODIFY); }

  MemoryWindow* Control(int id) { return memory_ui::Control(page, id); }
  std::array<int, 4> Fields(int id) { return Control(id)->fields; }
  std::string Mode() {
    const MemoryWindow* combo = Control(IDC_DHCP_COMBO);
    return combo->curSel < 0 ? "" : combo->items[static_cast<std::size_t>(combo->curSel)];
  }
  int SentSinceModify() const { return net.CountOf(Kind::SendTo) - sentBeforeModify; }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const auto& box : memory_ui::MessageBoxes()) texts.push_back(box.caption + ": " + box.text);
    return texts;
  }

  using Kind = testing_support::VirtualSockets::CallKind;
  DeviceDouble net;
  CIpSettingsPage page;
  int sentBeforeModify = 0;
};

inline const SimDevice kNas = {"nas-1", "192.168.1.20", "255.255.255.0", "192.168.1.1", '0'};

}  // namespace ipconfig_test
