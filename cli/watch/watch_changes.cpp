#include "cli/watch/watch_changes.h"

#include <cstring>

namespace {

DeviceRecord Unlinked(const DeviceRecord& d) {
  DeviceRecord copy = d;
  copy.next = nullptr;
  return copy;
}

}  // namespace

bool SameDevice(const DeviceRecord& a, const DeviceRecord& b) {
  return std::strcmp(a.name, b.name) == 0 && std::memcmp(a.identity, b.identity, KNOWN_IDENTITY_BYTES) == 0;
}

bool SettingsDiffer(const DeviceRecord& a, const DeviceRecord& b) {
  return std::strcmp(a.netmaskText, b.netmaskText) != 0 || std::strcmp(a.gatewayText, b.gatewayText) != 0 ||
         IsDhcpClient(a) != IsDhcpClient(b);
}

std::vector<WatchEvent> DeviceWatch::Update(const DeviceRecord* first) {
  std::vector<const DeviceRecord*> found;
  for (const DeviceRecord* d = first; d; d = d->next) found.push_back(d);
  for (Kept& k : kept_) k.seen = false;
  // Which kept device each found one is: the same device at the same address
  // first, so that a device still at its address is not taken for one that
  // moved there, then the same device elsewhere.
  std::vector<Kept*> match(found.size(), nullptr);
  for (const bool sameAddress : {true, false}) {
    for (std::size_t i = 0; i < found.size(); i++) {
      for (Kept& k : kept_) {
        if (match[i] || k.seen || !SameDevice(k.device, *found[i])) continue;
        if (sameAddress && std::strcmp(k.device.ipText, found[i]->ipText) != 0) continue;
        match[i] = &k;
        k.seen = true;
      }
    }
  }
  std::vector<WatchEvent> events;
  std::vector<Kept> next;
  for (std::size_t i = 0; i < found.size(); i++) {
    const DeviceRecord d = Unlinked(*found[i]);
    if (const Kept* k = match[i]) {
      if (std::strcmp(k->device.ipText, d.ipText) != 0) events.push_back({WATCH_MOVED, d, k->device});
      if (SettingsDiffer(k->device, d)) events.push_back({WATCH_CHANGED, d, k->device});
    } else {
      events.push_back({WATCH_APPEARED, d, {}});
    }
    next.push_back({d, 0, false});
  }
  for (Kept& k : kept_) {
    if (k.seen) continue;
    if (++k.missed >= WATCH_MISSES_TO_VANISH) {
      events.push_back({WATCH_VANISHED, k.device, {}});
    } else {
      next.push_back(k);
    }
  }
  kept_ = std::move(next);
  return events;
}
