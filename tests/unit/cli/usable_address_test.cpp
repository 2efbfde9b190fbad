#include "cli/address/usable_address.h"

#include <gtest/gtest.h>


namespace {

std::string Check(const char* ip, const char* netmask, const char* gateway) {
  char a[ADDRESS_TEXT_SIZE], m[ADDRESS_TEXT_SIZE], g[ADDRESS_TEXT_SIZE];
  return CheckUsableAddresses(ip, netmask, gateway, a, m, g);
}

TEST(UsableAddress, RefusesWhatNoHostCanUseNamingTheField) {
  const char* const cases[][4] = {
      {"127.0.0.1", "255.0.0.0", "127.0.0.2", "IP address 127.0.0.1 is a loopback address"},
      {"224.0.0.5", "255.255.255.0", "224.0.0.1", "IP address 224.0.0.5 is a multicast address"},
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
  };
  for (const auto& c : cases) EXPECT_EQ(0u, Check(c[0], c[1], c[2]).find(c[3])) << Check(c[0], c[1], c[2]);
  // The page's own rules still come first, with its own words.
  EXPECT_EQ("Invalid IP address in 4th digit. It should be 1-254.", Check("127.0.0.0", "255.0.0.0", "127.0.0.1"));
}

TEST(UsableAddress, UsableAddressesPassNormalised) {
  char a[ADDRESS_TEXT_SIZE], m[ADDRESS_TEXT_SIZE], g[ADDRESS_TEXT_SIZE];
  ASSERT_EQ("", CheckUsableAddresses("010.77.0.126", "255.255.255.128", "10.77.0.1", a, m, g));
  EXPECT_STREQ("10.77.0.126", a);
  EXPECT_EQ("", Check("10.0.0.5", "255.255.255.252", "10.0.0.6"));
}

}  // namespace
