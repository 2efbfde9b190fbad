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

TEST(AddressInput, AnAddressReadsNormalisedAndOnlyWithOctetsUpTo255) {
  char out[ADDRESS_TEXT_SIZE];
  const char* const cases[][2] = {
      {"010.000.0.2", "10.0.0.2"}, {"198.18.0.010", "198.18.0.10"}, {"255.255.255.255", "255.255.255.255"},
      {"0.0.0.0", "0.0.0.0"}, {"00255.1.1.1", "255.1.1.1"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(ReadAddress(c[0], out)) << c[0];
    EXPECT_STREQ(c[1], out);
  }
  for (const char* bad : {"256.0.0.1", "1.2.3.300", "1.2.3", "nas1", "1.2.3.123456"}) EXPECT_FALSE(ReadAddress(bad, out)) << bad;
}

}  // namespace
