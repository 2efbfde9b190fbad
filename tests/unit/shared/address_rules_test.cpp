#include "shared/address_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int Refused(int field, int a, int b, int c, int d) {
  const int octets[4] = {a, b, c, d};
  return RefusedOctet(field, octets);
}

TEST(AddressRules, HostFieldsRefuseNetworkAndBroadcastFourthOctet) {
  for (int field : {ADDRESS_IP, ADDRESS_GATEWAY}) {
    EXPECT_EQ(3, Refused(field, 192, 168, 1, 0));
    EXPECT_EQ(3, Refused(field, 192, 168, 1, 255));
    EXPECT_EQ(3, Refused(field, 192, 168, 1, -1));
    EXPECT_EQ(-1, Refused(field, 192, 168, 1, 1));
    EXPECT_EQ(-1, Refused(field, 10, 0, 0, 254));
  }
  EXPECT_STREQ("Invalid IP address in 4th digit. It should be 1-254.", RefusedOctetMessage(ADDRESS_IP, 3));
  EXPECT_STREQ("Invalid gateway IP address in 4th digit. It should be 1-254.",
               RefusedOctetMessage(ADDRESS_GATEWAY, 3));
}

TEST(AddressRules, NetmaskAcceptsAnyByteInEveryOctet) {
  EXPECT_EQ(-1, Refused(ADDRESS_NETMASK, 255, 255, 255, 255));
  EXPECT_EQ(-1, Refused(ADDRESS_NETMASK, 0, 0, 0, 0));
  EXPECT_EQ(3, Refused(ADDRESS_NETMASK, 255, 255, 255, 256));
}

TEST(AddressRules, FirstRefusedOctetDecidesAndLowerBoundIsUntestedInFirstThree) {
  EXPECT_EQ(0, Refused(ADDRESS_NETMASK, 300, 300, 300, 0));
  EXPECT_EQ(1, Refused(ADDRESS_IP, 1, 256, 300, 0));
  EXPECT_EQ(2, Refused(ADDRESS_GATEWAY, 1, 2, 256, 0));
  EXPECT_EQ(-1, Refused(ADDRESS_IP, -5, -1, -300, 7));
  EXPECT_STREQ("Invalid subnet mask address in 1st digit. It should be 0-255.",
               RefusedOctetMessage(ADDRESS_NETMASK, 0));
}

TEST(AddressRules, OtherFieldCodesPassAndHaveNoMessages) {
  for (int field : {0, 4, -1}) {
    EXPECT_EQ(-1, Refused(field, 999, 999, 999, 999));
    EXPECT_EQ(nullptr, RefusedOctetMessage(field, 0));
  }
  EXPECT_EQ(nullptr, RefusedOctetMessage(ADDRESS_IP, 4));
}

TEST(AddressRules, EveryMessageNamesItsFieldAndOctet) {
  const char* const fields[] = {"Invalid IP address", "Invalid subnet mask address", "Invalid gateway IP address"};
  const char* const ordinals[] = {"1st", "2nd", "3rd", "4th"};
  for (int field = ADDRESS_IP; field <= ADDRESS_GATEWAY; field++) {
    for (int position = 0; position < 4; position++) {
      const std::string message = RefusedOctetMessage(field, position);
      EXPECT_EQ(0u, message.find(std::string(fields[field - 1]) + " in " + ordinals[position] + " digit."));
      const bool host = field != ADDRESS_NETMASK && position == 3;
      EXPECT_NE(std::string::npos, message.find(host ? "It should be 1-254." : "It should be 0-255.")) << message;
    }
  }
}

TEST(AddressRules, GatewayMustShareTheMaskedAddress) {
  const int ip[4] = {192, 168, 1, 10};
  const int mask24[4] = {255, 255, 255, 0};
  const int mask0[4] = {0, 0, 0, 0};
  const int mask22[4] = {255, 255, 252, 0};
  const int otherNet[4] = {192, 168, 2, 1};
  const int sameNet[4] = {192, 168, 1, 1};
  EXPECT_FALSE(GatewayInSubnet(ip, mask24, otherNet));
  EXPECT_TRUE(GatewayInSubnet(ip, mask24, sameNet));
  EXPECT_TRUE(GatewayInSubnet(ip, mask0, otherNet));
  EXPECT_TRUE(GatewayInSubnet(ip, mask22, otherNet));
  // The last octet counts too: 192.168.1.10/30 spans .8 to .11.
  const int mask30[4] = {255, 255, 255, 252};
  const int nextQuarter[4] = {192, 168, 1, 13};
  const int sameQuarter[4] = {192, 168, 1, 9};
  EXPECT_FALSE(GatewayInSubnet(ip, mask30, nextQuarter));
  EXPECT_TRUE(GatewayInSubnet(ip, mask30, sameQuarter));
  EXPECT_STREQ("Gateway address input error!", GATEWAY_SUBNET_MESSAGE);
}

TEST(AddressRules, PassedOctetsBecomeDottedTextThatFits) {
  char text[ADDRESS_TEXT_SIZE];
  const int widest[4] = {255, 255, 255, 255};
  FormatAddress(widest, text);
  EXPECT_STREQ("255.255.255.255", text);
  const int zeros[4] = {10, 0, 0, 7};
  FormatAddress(zeros, text);
  EXPECT_STREQ("10.0.0.7", text);
}

}  // namespace
