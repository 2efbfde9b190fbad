#include "cli/session/device_choice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

namespace {

DeviceRecord Device(const char* name, const char* ip, int id) {
  DeviceRecord d{};
  std::snprintf(d.name, sizeof d.name, "%s", name);
  std::snprintf(d.ipText, sizeof d.ipText, "%s", ip);
  d.identity[9] = static_cast<std::uint8_t>(id);
  return d;
}

TEST(DeviceChoice, AnAddressThenAnOnlyNameChoosesTheDevice) {
  const DeviceRecord a = Device("nas", "10.0.0.2", 1), b = Device("10.0.0.2", "10.0.0.3", 2),
                     c = Device("twin", "10.0.0.4", 3), d = Device("twin", "10.0.0.5", 4),
                     e = Device("back\\slash", "10.0.0.6", 5);
  const std::vector<const DeviceRecord*> listed = {&a, &b, &c, &d, &e};
  // argument, the device chosen (by address), how many share the name
  const std::vector<std::tuple<const char*, const char*, std::size_t>> cases = {
      {"10.0.0.2", "10.0.0.2", 0},  // an address wins over a name that looks like one
      {"10.0.0.5", "10.0.0.5", 0}, {"nas", "10.0.0.2", 0}, {"twin", "", 2},
      {"back\\\\slash", "10.0.0.6", 0},  // the name as the command line shows it
      {"none", "", 0},
  };
  for (const auto& [argument, ip, alike] : cases) {
    const DeviceChoice choice = ChooseDevice(listed, argument);
    EXPECT_EQ(ip, std::string(choice.device ? choice.device->ipText : "")) << argument;
    EXPECT_EQ(alike, choice.sameName.size()) << argument;
  }
  // Found again after a change: the address and the whole identity.
  EXPECT_EQ(&d, FindAgain(listed, "10.0.0.5", d.identity));
  EXPECT_EQ(nullptr, FindAgain(listed, "10.0.0.5", c.identity));
  EXPECT_EQ(nullptr, FindAgain(listed, "10.0.0.9", d.identity));
}

}  // namespace
