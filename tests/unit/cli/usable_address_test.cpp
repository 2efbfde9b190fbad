#include "cli/address/usable_address.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Check(const char* ip, const char* netmask, const char* gateway) {
  char a[ADDRESS_TEXT_SIZE], m[ADDRESS_TEXT_SIZE], g[ADDRESS_TEXT_SIZE];
  return CheckUsableAddresses(ip, netmask, gateway, a, m, g);
}

TEST(UsableAddress, RefusesWhatNoHostCanUseNamingTheField) {
  const char* const cases[][4] = {
      {"127.0.0.1", "255.0.0.0", "127.0.0.2", "IP address 127.0.0.1 is a loopback address"},
      {"224.0.0.5", "255.255.255.0", "224.0.0.1", "IP address 224.0.0.5 is a multicast address"},
      {"239.1.1.1", "255.255.255.0", "239.1.1.2", "IP address 239.1.1.1 is a multicast address"},
      {"240.1.1.1", "255.255.255.0", "240.1.1.2", "IP address 240.1.1.1 is reserved"},
      {"0.77.0.20", "255.255.0.0", "0.77.0.1", "IP address 0.77.0.20 is in network 0"},
      {"10.77.0.127", "255.255.255.128", "10.77.0.1", "IP address 10.77.0.127 is the broadcast address of its subnet 10.77.0.0/25"},
      {"10.77.0.128", "255.255.255.128", "10.77.0.129", "IP address 10.77.0.128 is the network address of its subnet 10.77.0.128/25"},
      {"10.0.0.5", "255.0.255.0", "10.0.0.1", "netmask 255.0.255.0 is not contiguous"},
      {"10.0.0.5", "0.0.0.0", "10.0.0.1", "netmask 0.0.0.0 holds no network"},
      {"10.0.0.5", "255.255.255.254", "10.0.0.4", "netmask 255.255.255.254 leaves no room"},
      {"10.0.0.5", "255.255.255.128", "10.0.0.127", "gateway 10.0.0.127 is the broadcast address"},
      {"10.0.0.130", "255.255.255.128", "10.0.0.128", "gateway 10.0.0.128 is the network address"},
      {"10.0.0.5", "128.0.0.0", "127.0.0.1", "gateway 127.0.0.1 is a loopback address"},
      {"10.0.0.5", "255.255.255.0", "10.0.1.1",
       "gateway 10.0.1.1 is outside the subnet 10.0.0.0/24 of IP address 10.0.0.5 and netmask 255.255.255.0"},
      {"10.0.0.5", "255.255.255.0", "10.0.0.5", "gateway 10.0.0.5 is the IP address itself"},
      {"198.18.0.0", "255.255.252.0", "198.18.0.1", "IP address 198.18.0.0 is the network address of its subnet 198.18.0.0/22"},
      {"198.18.3.255", "255.255.252.0", "198.18.0.1", "IP address 198.18.3.255 is the broadcast address of its subnet 198.18.0.0/22"},
      {"198.18.0.300", "255.255.252.0", "198.18.0.1", "not a dotted IP address (four numbers from 0 to 255): '198.18.0.300'"},
      {"10.0.0.5", "300.255.255.0", "10.0.0.1", "not a dotted netmask"},
      {"10.0.0.5", "255.255.255.0", "10.0.0", "not a dotted gateway"},
  };
  for (const auto& c : cases) EXPECT_EQ(0u, Check(c[0], c[1], c[2]).find(c[3])) << Check(c[0], c[1], c[2]);
}

TEST(UsableAddress, UsableAddressesPassNormalised) {
  char a[ADDRESS_TEXT_SIZE], m[ADDRESS_TEXT_SIZE], g[ADDRESS_TEXT_SIZE];
  ASSERT_EQ("", CheckUsableAddresses("010.77.0.126", "255.255.255.128", "10.77.0.1", a, m, g));
  EXPECT_STREQ("10.77.0.126", a);
  EXPECT_EQ("", Check("10.0.0.5", "255.255.255.252", "10.0.0.6"));
  // Not the window's octet rules: in a /22, .0 and .255 are hosts, as gateways too.
  EXPECT_EQ("", Check("198.18.1.0", "255.255.252.0", "198.18.0.255"));
  EXPECT_EQ("", Check("198.18.0.255", "255.255.252.0", "198.18.1.0"));
}

TEST(UsableAddress, WarnsOfAnAddressOutsideEveryLocalSubnet) {
  const auto Interface = [](const char* address, const char* netmask) {
    platform::SystemInterface i{};
    i.address = platform::InetAddr(address);
    i.netmask = platform::InetAddr(netmask);
    return i;
  };
  const std::vector<platform::SystemInterface> local = {Interface("127.0.0.1", "255.0.0.0"),
                                                        Interface("198.18.0.1", "255.255.252.0"),
                                                        Interface("10.1.0.1", "255.255.0.0")};
  EXPECT_EQ("", OutsideSubnets("198.18.3.7", local));
  EXPECT_EQ("", OutsideSubnets("10.1.200.7", local));
  EXPECT_EQ(0u, OutsideSubnets("198.18.4.7", local).find("198.18.4.7 lies outside every subnet of this PC's"));
  EXPECT_NE("", OutsideSubnets("127.0.0.9", local)) << "loopback is no LAN";
  EXPECT_EQ("", OutsideSubnets("198.18.4.7", {Interface("198.18.0.1", "0.0.0.0")})) << "nothing to judge by";
}

TEST(UsableAddress, AnotherDeviceOrThisPcHoldingTheAddressIsNamed) {
  DeviceRecord selected{}, other{};
  std::snprintf(selected.ipText, sizeof selected.ipText, "10.0.0.5");
  std::snprintf(other.name, sizeof other.name, "other");
  std::snprintf(other.ipText, sizeof other.ipText, "10.0.0.6");
  const std::vector<const DeviceRecord*> listed = {&selected, &other};
  LocalInterfaceTable.count = 2;
  std::snprintf(LocalInterfaceTable.address[1], sizeof LocalInterfaceTable.address[1], "10.0.0.9");
  for (const auto& [ip, holder] : std::vector<std::pair<const char*, std::string>>{
           {"10.0.0.6", "the device other"}, {"10.0.0.9", "this PC"}, {"10.0.0.5", ""}, {"10.0.0.7", ""}}) {
    EXPECT_EQ(holder, AddressHolder(ip, selected, listed)) << ip;
  }
  LocalInterfaceTable = {};
}

}  // namespace
