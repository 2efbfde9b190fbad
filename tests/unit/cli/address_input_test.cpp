#include "cli/address/address_input.h"

#include <gtest/gtest.h>

namespace {

TEST(AddressInput, ReadsFourDecimalOctetsAndNothingElse) {
  int o[4];
  ASSERT_TRUE(ReadOctets("192.168.1.300", o));
  EXPECT_EQ(300, o[3]);
  ASSERT_TRUE(ReadOctets("010.0.0.1", o));
  EXPECT_EQ(10, o[0]);
  for (const char* bad : {"", "1.2.3", "1.2.3.4.", "1.2.3.4.5", "1..3.4", "a.b.c.d", "1.2.3.-4", " 1.2.3.4",
                          "1.2.3.4 ", "1.2.3.123456", "+1.2.3.4"}) {
    EXPECT_FALSE(ReadOctets(bad, o)) << bad;
  }
}

TEST(AddressInput, FirstRefusalWinsFieldByFieldThenTheSubnet) {
  char ip[ADDRESS_TEXT_SIZE], mask[ADDRESS_TEXT_SIZE], gw[ADDRESS_TEXT_SIZE];
  EXPECT_EQ("Invalid IP address in 4th digit. It should be 1-254.",
            CheckStaticAddresses("10.0.0.255", "999.0.0.0", "10.0.0.0", ip, mask, gw));
  EXPECT_EQ("Invalid subnet mask address in 1st digit. It should be 0-255.",
            CheckStaticAddresses("10.0.0.2", "300.300.300.0", "10.0.0.0", ip, mask, gw));
  EXPECT_EQ("Invalid gateway IP address in 4th digit. It should be 1-254.",
            CheckStaticAddresses("10.0.0.2", "255.0.0.0", "10.0.0.0", ip, mask, gw));
  EXPECT_EQ("Gateway address input error!",
            CheckStaticAddresses("192.168.1.10", "255.255.255.0", "192.168.2.1", ip, mask, gw));
  EXPECT_EQ("not a dotted netmask: '255.0'", CheckStaticAddresses("10.0.0.2", "255.0", "10.0.0.1", ip, mask, gw));
}

TEST(AddressInput, AcceptedAddressesAreWrittenNormalised) {
  char ip[ADDRESS_TEXT_SIZE], mask[ADDRESS_TEXT_SIZE], gw[ADDRESS_TEXT_SIZE];
  ASSERT_EQ("", CheckStaticAddresses("010.000.0.2", "255.0.0.0", "10.0.0.1", ip, mask, gw));
  EXPECT_STREQ("10.0.0.2", ip);
  EXPECT_STREQ("255.0.0.0", mask);
  EXPECT_STREQ("10.0.0.1", gw);
  ASSERT_EQ("", CheckStaticAddresses("192.168.1.10", "0.0.0.0", "172.16.0.1", ip, mask, gw));
}

}  // namespace
