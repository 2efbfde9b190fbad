#include "cli/session/change_outcome.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/text/exit_status.h"

namespace {

DeviceRecord Device(const char* name, const char* ip, int id) {
  DeviceRecord d{};
  std::snprintf(d.name, sizeof d.name, "%s", name);
  std::snprintf(d.ipText, sizeof d.ipText, "%s", ip);
  d.identity[5] = static_cast<std::uint8_t>(id);
  d.identity[9] = static_cast<std::uint8_t>(ip[std::string(ip).size() - 1]);  // follows the address
  return d;
}

struct Case {
  const char* what;
  bool confirmed;
  const char* recorded;  // the record's address after the exchange
  const char* asked;
  std::vector<DeviceRecord> answered;
  int status;
  std::vector<std::string> shown;  // "name ip"
  std::vector<std::string> notes;
};

TEST(ChangeOutcome, FindsTheDeviceByWhoItIsAndSaysWhatHappened) {
  const DeviceRecord other = Device("other", "10.0.0.90", 7);
  const Case cases[] = {
      {"confirmed and there", true, "10.0.0.50", "10.0.0.50", {other, Device("nas", "10.0.0.50", 1)}, EXIT_DONE,
       {"nas 10.0.0.50"}, {}},
      {"dhcp confirmed from its old address, answers at its new one", true, "10.0.0.80", "",
       {Device("nas", "10.0.0.90", 1)}, EXIT_FAILED, {"nas 10.0.0.90"},
       {"the device confirmed the change from 10.0.0.80 but answers at 10.0.0.90"}},
      {"moved without confirming", false, "10.0.0.18", "10.0.0.61", {Device("nas", "10.0.0.61", 1)}, EXIT_FAILED,
       {"nas 10.0.0.61"}, {"the device did not confirm the change but answers at the new address 10.0.0.61"}},
      {"not applied", false, "10.0.0.18", "10.0.0.61", {Device("nas", "10.0.0.18", 1)}, EXIT_FAILED,
       {"nas 10.0.0.18"}, {"the device did not confirm the change and still answers at its old address 10.0.0.18"}},
      {"dhcp unconfirmed, elsewhere", false, "10.0.0.18", "", {Device("nas", "10.0.0.33", 1)}, EXIT_FAILED,
       {"nas 10.0.0.33"}, {"the device did not confirm the change; it answers at 10.0.0.33 (it was at 10.0.0.18)"}},
      {"confirmed, gone", true, "10.0.0.50", "10.0.0.50", {other}, EXIT_FAILED, {},
       {"the device confirmed the change from 10.0.0.50 but did not answer the new search"}},
      {"unconfirmed, gone", false, "10.0.0.18", "10.0.0.50", {}, EXIT_FAILED, {},
       {"the device did not confirm the change and did not answer the new search, neither at 10.0.0.50 nor at "
        "10.0.0.18"}},
      {"dhcp unconfirmed, gone", false, "10.0.0.18", "", {}, EXIT_FAILED, {},
       {"the device did not confirm the change and did not answer the new search (it was at 10.0.0.18)"}},
      // Another name, or another identity, is another device, even at the address.
      {"a namesake at the address", true, "10.0.0.50", "10.0.0.50",
       {Device("nas", "10.0.0.50", 2), Device("nasx", "10.0.0.50", 1)}, EXIT_FAILED, {}, {"the device confirmed the change from 10.0.0.50 but did not answer the new search"}},
      {"forced onto a used address: both shown", true, "10.0.0.90", "10.0.0.90",
       {other, Device("nas", "10.0.0.90", 1)}, EXIT_DONE, {"nas 10.0.0.90", "other 10.0.0.90"},
       {"2 devices now answer at 10.0.0.90"}},
      {"also answering at its old address: the confirmed one first", true, "10.0.0.50", "10.0.0.50",
       {Device("nas", "10.0.0.18", 1), Device("nas", "10.0.0.50", 1)}, EXIT_DONE, {"nas 10.0.0.50"}, {}},
  };
  for (const Case& c : cases) {
    DeviceRecord changed = Device("nas", c.recorded, 1);
    const ChangeOutcome outcome = JudgeChange({changed, c.confirmed, c.asked}, c.answered);
    std::vector<std::string> shown;
    for (const DeviceRecord& d : outcome.shown) shown.push_back(std::string(d.name) + " " + d.ipText);
    EXPECT_EQ(c.status, outcome.status) << c.what;
    EXPECT_EQ(c.shown, shown) << c.what;
    EXPECT_EQ(c.notes, outcome.notes) << c.what;
  }
}

}  // namespace
