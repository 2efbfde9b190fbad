#include "cli/session/device_choice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

DeviceRecord Device(const char* name, const char* ip) {
  DeviceRecord d{};
  std::snprintf(d.name, sizeof d.name, "%s", name);
  std::snprintf(d.ipText, sizeof d.ipText, "%s", ip);
  return d;
}

TEST(DeviceChoice, AnAddressOrANameThatOnlyOneDeviceAnswersTo) {
  const DeviceRecord devices[] = {Device("nas1", "10.0.0.10"), Device("10.0.0.10", "10.0.0.11"),
                                  Device("twin", "10.0.0.12"), Device("twin", "10.0.0.13"),
                                  Device("10.0.0.14", "10.0.0.14"), Device("back\\slash", "10.0.0.15"),
                                  Device("10.0.0.13", "10.0.0.16"), Device("10.0.0.13", "10.0.0.17")};
  std::vector<const DeviceRecord*> listed;
  for (const DeviceRecord& d : devices) listed.push_back(&d);
  const struct {
    const char* argument;
    const char* chosen;  // the address of the device chosen, or nullptr
    const char* refusal;
  } cases[] = {
      {"nas1", "10.0.0.10", ""},
      {"10.0.0.12", "10.0.0.12", ""},
      {"010.000.0.012", "10.0.0.12", ""},  // read as set-static reads addresses
      {"10.0.0.14", "10.0.0.14", ""},  // a device named by its own address
      {"back\\\\slash", "10.0.0.15", ""},
      {"10.0.0.99", nullptr, ""},
      {"10.0.0.300", nullptr, ""},
      {"twin", nullptr, "2 devices are named 'twin' (10.0.0.12, 10.0.0.13): give the address of one"},
      {"10.0.0.10", nullptr,
       "'10.0.0.10' is both the address of the device nas1 and the name of the device at 10.0.0.11: give "
       "10.0.0.010 for the device at that address, or the address of the named one"},
      {"10.0.0.010", "10.0.0.10", ""},  // as that hint says
      {"10.0.0.13", nullptr,
       "'10.0.0.13' is both the address of the device twin and the name of the devices at 10.0.0.16, 10.0.0.17: "
       "give 10.0.0.013 for the device at that address, or the address of the named one"},
  };
  for (const auto& c : cases) {
    const DeviceChoice choice = ChooseDevice(listed, c.argument);
    EXPECT_STREQ(c.chosen, choice.device ? choice.device->ipText : nullptr) << c.argument;
    EXPECT_EQ(c.refusal, AmbiguityText(choice, c.argument)) << c.argument;
  }
}

}  // namespace
