#include "cli/watch/watch_changes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/text/output.h"
#include "cli/watch/event_lines.h"

namespace {

DeviceRecord Device(const char* name, const char* ip, int id, const char* netmask = "255.255.255.0",
                    const char* dhcp = "0") {
  DeviceRecord d{};
  std::snprintf(d.name, sizeof d.name, "%s", name);
  std::snprintf(d.ipText, sizeof d.ipText, "%s", ip);
  std::snprintf(d.netmaskText, sizeof d.netmaskText, "%s", netmask);
  std::snprintf(d.gatewayText, sizeof d.gatewayText, "10.0.0.1");
  std::snprintf(d.dhcpFlag, sizeof d.dhcpFlag, "%s", dhcp);
  d.identity[5] = static_cast<std::uint8_t>(id);
  d.identity[9] = static_cast<std::uint8_t>(ip[std::string(ip).size() - 1]);  // follows the address
  return d;
}

// One search's list as the engine links it; "kind name ip" per event.
std::vector<std::string> Update(DeviceWatch& watch, std::vector<DeviceRecord> found) {
  for (std::size_t i = 0; i < found.size(); i++) found[i].next = i + 1 < found.size() ? &found[i + 1] : nullptr;
  const char* kinds[] = {"appeared", "moved", "changed", "vanished"};
  std::vector<std::string> out;
  for (const WatchEvent& e : watch.Update(found.empty() ? nullptr : &found[0])) {
    std::string line = std::string(kinds[e.kind]) + " " + e.device.name + " " + e.device.ipText;
    if (e.kind == WATCH_MOVED || e.kind == WATCH_CHANGED) line += std::string(" was ") + e.before.ipText;
    if (e.kind == WATCH_CHANGED) line += std::string(" ") + e.before.netmaskText + " " + e.before.dhcpFlag;
    out.push_back(line);
  }
  return out;
}

using Lines = std::vector<std::string>;

TEST(WatchChanges, FirstSearchListsAllThenOnlyChanges) {
  DeviceWatch watch;
  const DeviceRecord a = Device("a", "10.0.0.2", 1), b = Device("b", "10.0.0.3", 2);
  EXPECT_EQ(Update(watch, {a, b}), (Lines{"appeared a 10.0.0.2", "appeared b 10.0.0.3"}));
  EXPECT_EQ(Update(watch, {b, a}), Lines{});
  // In place: a setting; elsewhere: a move, and one that also changed a setting.
  EXPECT_EQ(Update(watch, {Device("a", "10.0.0.2", 1, "255.255.0.0"), Device("b", "10.0.0.7", 2, "255.255.255.0", "1")}),
            (Lines{"changed a 10.0.0.2 was 10.0.0.2 255.255.255.0 0", "moved b 10.0.0.7 was 10.0.0.3",
                   "changed b 10.0.0.7 was 10.0.0.3 255.255.255.0 0"}));
}

TEST(WatchChanges, NameAndFirstSixIdentityBytesMakeTheDevice) {
  DeviceWatch watch;
  Update(watch, {Device("twin", "10.0.0.2", 1), Device("twin", "10.0.0.3", 1)});
  // Two alike: each found at its own address stays put, though either matches the other.
  EXPECT_EQ(Update(watch, {Device("twin", "10.0.0.3", 1), Device("twin", "10.0.0.2", 1)}), Lines{});
  // Another identity or another name at a new address is another device.
  EXPECT_EQ(Update(watch, {Device("twin", "10.0.0.2", 1), Device("twin", "10.0.0.3", 1), Device("twin", "10.0.0.4", 9),
                           Device("twin2", "10.0.0.5", 1)}),
            (Lines{"appeared twin 10.0.0.4", "appeared twin2 10.0.0.5"}));
}

TEST(WatchChanges, VanishesAfterTwoMissesAndKeepsNoMoreThanTwoSearches) {
  DeviceWatch watch;
  const DeviceRecord a = Device("a", "10.0.0.2", 1), b = Device("b", "10.0.0.3", 2);
  Update(watch, {a, b});
  EXPECT_EQ(Update(watch, {a}), Lines{});  // one lost reply is not a departure
  EXPECT_EQ(Update(watch, {a, b}), Lines{});
  EXPECT_EQ(Update(watch, {a}), Lines{});
  EXPECT_EQ(Update(watch, {}), Lines{"vanished b 10.0.0.3"});
  // Missed once, then found elsewhere: it moved.
  EXPECT_EQ(Update(watch, {Device("a", "10.0.0.9", 1)}), Lines{"moved a 10.0.0.9 was 10.0.0.2"});

  // A day of devices that each answer once: what is kept stays bounded.
  for (int round = 0; round < 9000; round++) {
    const std::string ip = "10.1." + std::to_string(round / 250) + "." + std::to_string(round % 250 + 1);
    Update(watch, {Device(("d" + std::to_string(round)).c_str(), ip.c_str(), round)});
    ASSERT_LE(watch.KeptCount(), 2u);
  }
}

TEST(WatchChanges, AMovedEventNamesTheLettersLeftAtTheOldAddressInTextAndJson) {
  DeviceRecord was = Device("nas", "10.0.0.5", 1, "255.255.0.0", "1");
  std::snprintf(was.gatewayText, sizeof was.gatewayText, "10.0.0.254");
  const DeviceRecord now = Device("nas", "10.0.0.9", 1);
  const std::string device = DeviceJson(now), before = DeviceJson(was);
  const std::string head = "{\"time\": \"T\", \"event\": ";
  struct Row {
    WatchEventKind kind;
    std::vector<std::string> drives;
    std::string text, json;
  } rows[] = {
      {WATCH_MOVED, {"E:", "F:"}, "T moved nas 10.0.0.5 -> 10.0.0.9 drives E:, F:",
       head + "\"moved\", \"device\": " + device + ", \"before\": " + before + ", \"drives\": [\"E:\", \"F:\"]}"},
      {WATCH_MOVED, {}, "T moved nas 10.0.0.5 -> 10.0.0.9",
       head + "\"moved\", \"device\": " + device + ", \"before\": " + before + ", \"drives\": []}"},
      // only a move strands letters
      {WATCH_CHANGED, {"E:"},
       "T changed nas 10.0.0.9 netmask 255.255.0.0 -> 255.255.255.0, gateway 10.0.0.254 -> 10.0.0.1, dhcp yes -> no",
       head + "\"changed\", \"device\": " + device + ", \"before\": " + before + "}"},
      {WATCH_VANISHED, {"E:"}, "T vanished nas 10.0.0.9", head + "\"vanished\", \"device\": " + device + "}"},
  };
  for (const Row& row : rows) {
    const WatchEvent e{row.kind, now, was};
    EXPECT_EQ(row.text, WatchEventText("T", e, row.drives));
    EXPECT_EQ(row.json, WatchEventJson("T", e, row.drives));
  }
}

}  // namespace
