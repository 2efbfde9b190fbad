#include "cli/device_choice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

DeviceRecord Device(const char* name, const char* ip, std::uint8_t id) {
  DeviceRecord d{};
  std::snprintf(d.name, sizeof d.name, "%s", name);
  std::snprintf(d.ipText, sizeof d.ipText, "%s", ip);
  std::memset(d.identity, id, sizeof d.identity);
  return d;
}

TEST(DeviceChoice, AddressFirstThenTheShownNameOfOneDeviceOnly) {
  DeviceRecord twin1 = Device("twin", "10.0.0.2", 1), twin2 = Device("twin", "10.0.0.3", 2),
               odd = Device("a\\b\x01", "10.0.0.4", 3), named = Device("10.0.0.4", "10.0.0.5", 4);
  const std::vector<const DeviceRecord*> listed = {&twin1, &twin2, &odd, &named};
  EXPECT_EQ(&twin2, ChooseDevice(listed, "10.0.0.3").device);
  EXPECT_EQ(&odd, ChooseDevice(listed, "10.0.0.4").device) << "an address beats a name";
  EXPECT_EQ(&odd, ChooseDevice(listed, "a\\\\b\\x01").device) << "the name as search shows it";
  EXPECT_EQ(nullptr, ChooseDevice(listed, "nobody").device);
  const DeviceChoice twins = ChooseDevice(listed, "twin");
  EXPECT_EQ(nullptr, twins.device);
  EXPECT_EQ((std::vector<const DeviceRecord*>{&twin1, &twin2}), twins.sameName);
}

TEST(DeviceChoice, AChangedDeviceIsFoundAgainByAddressAndIdentity) {
  DeviceRecord first = Device("twin", "10.0.0.9", 1), moved = Device("twin", "10.0.0.7", 2),
               stranger = Device("twin", "10.0.0.8", 3);
  const std::vector<const DeviceRecord*> listed = {&first, &stranger, &moved};
  EXPECT_EQ(&moved, FindAgain(listed, "10.0.0.7", moved.identity));
  EXPECT_EQ(nullptr, FindAgain(listed, "10.0.0.8", moved.identity)) << "another device at that address";
}

}  // namespace
