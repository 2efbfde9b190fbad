// Any sequence of device lists through watch's change detection. While each
// list holds a device once (its name and first six identity bytes), a plain
// model of it gives the events exactly: a device not kept appears; one kept
// and found again has an event only for a new address (moved) or new
// settings (changed); one missed by WATCH_MISSES_TO_VANISH searches in a row
// vanishes once, as last seen. With twins (one device at two addresses in a
// list) the counts still add up: what is kept is what appeared and has not
// vanished, at least as many per device as the list holds.
//
// Input: one byte per record, 0xFF ends a list. Bits 0-2 pick the device,
// bits 3-5 its address, bits 6-7 its settings; a record at an address the
// list already holds is left out, as the search's list does.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/watch/watch_changes.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

struct Known {
  DeviceRecord last;
  int missed;
};

DeviceRecord Record(std::uint8_t b) {
  DeviceRecord d{};
  const int device = b & 7, address = (b >> 3) & 7, settings = b >> 6;
  std::snprintf(d.name, sizeof d.name, "nas-%d", device % 5);  // two names share three identities
  std::snprintf(d.ipText, sizeof d.ipText, "10.0.0.%d", address + 1);
  std::snprintf(d.netmaskText, sizeof d.netmaskText, "255.255.%d.0", (settings & 1) ? 0 : 255);
  std::snprintf(d.gatewayText, sizeof d.gatewayText, "10.0.0.254");
  std::snprintf(d.dhcpFlag, sizeof d.dhcpFlag, "%d", settings >> 1);
  d.identity[0] = static_cast<std::uint8_t>(device < 5 ? 1 : 2);
  d.identity[8] = static_cast<std::uint8_t>(address);  // bytes 6 to 9 follow the address
  return d;
}

// The device: its name and first six identity bytes, of which Record sets one.
int Key(const DeviceRecord& d) { return (d.name[4] - '0') * 4 + d.identity[0]; }
inline constexpr int KEYS = 20;

std::string Line(int kind, const DeviceRecord& d, const DeviceRecord& before) {
  std::string line = std::to_string(kind) + " " + d.name + std::to_string(d.identity[0]) + " " + d.ipText + " " + d.netmaskText + " " + d.dhcpFlag;
  if (kind == WATCH_MOVED || kind == WATCH_CHANGED) line += std::string(" was ") + before.ipText + " " + before.netmaskText + " " + before.dhcpFlag;
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 96) return -1;  // some 30 searches: room for every change of eight devices
  DeviceWatch watch;
  std::vector<std::pair<int, Known>> model;  // in the order it keeps them
  long live[KEYS] = {};                      // appeared less vanished, per device
  bool twins = false;
  for (std::size_t at = 0; at <= size;) {
    std::vector<DeviceRecord> list;
    for (; at < size && data[at] != 0xFF; at++) {
      const DeviceRecord d = Record(data[at]);
      bool taken = false, twin = false;
      for (const DeviceRecord& r : list) {
        taken = taken || std::strcmp(r.ipText, d.ipText) == 0;
        twin = twin || Key(r) == Key(d);
      }
      if (taken) continue;
      twins = twins || twin;
      list.push_back(d);
    }
    at++;
    for (std::size_t i = 0; i < list.size(); i++) list[i].next = i + 1 < list.size() ? &list[i + 1] : nullptr;
    const std::vector<WatchEvent> events = watch.Update(list.empty() ? nullptr : &list[0]);

    long found[KEYS] = {};
    for (const DeviceRecord& d : list) found[Key(d)]++;
    for (const WatchEvent& e : events) {
      FUZZ_CHECK(e.device.next == nullptr);
      if (e.kind == WATCH_APPEARED) live[Key(e.device)]++;
      if (e.kind == WATCH_VANISHED) {
        FUZZ_CHECK(--live[Key(e.device)] >= found[Key(e.device)]);
      }
    }
    std::size_t kept = 0;
    for (int key = 0; key < KEYS; key++) {
      FUZZ_CHECK(live[key] >= found[key]);
      kept += static_cast<std::size_t>(live[key]);
    }
    FUZZ_CHECK(watch.KeptCount() == kept);
    if (twins) continue;

    std::vector<std::string> expected;
    std::vector<std::pair<int, Known>> next;
    for (const DeviceRecord& d : list) {
      Known* k = nullptr;
      for (auto& [key, known] : model) k = key == Key(d) ? &known : k;
      if (!k) {
        expected.push_back(Line(WATCH_APPEARED, d, d));
      } else {
        if (std::strcmp(k->last.ipText, d.ipText) != 0) expected.push_back(Line(WATCH_MOVED, d, k->last));
        if (std::strcmp(k->last.netmaskText, d.netmaskText) != 0 || std::strcmp(k->last.dhcpFlag, d.dhcpFlag) != 0) {
          expected.push_back(Line(WATCH_CHANGED, d, k->last));
        }
      }
      next.push_back({Key(d), {d, 0}});
    }
    for (auto& [key, known] : model) {
      if (found[key]) continue;
      if (++known.missed >= WATCH_MISSES_TO_VANISH) {
        expected.push_back(Line(WATCH_VANISHED, known.last, known.last));
      } else {
        next.push_back({key, known});
      }
    }
    model = std::move(next);
    std::vector<std::string> got;
    for (const WatchEvent& e : events) got.push_back(Line(e.kind, e.device, e.before));
    FUZZ_CHECK(got == expected);
  }
  return 0;
}
