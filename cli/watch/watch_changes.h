// What changed among the devices from one search to the next, for watch. A
// device is known by its name and identity bytes 0 to 5 (bytes 6 to 9 follow
// its address), so a device that changed its address is seen to move rather
// than to vanish and appear. One lost reply is not a departure: a device
// vanishes once WATCH_MISSES_TO_VANISH searches in a row missed it. Only the
// devices of the last searches are kept, so memory stays bounded however
// long it runs.
#pragma once

#include <cstddef>
#include <vector>

#include "proto/device_lists.h"

inline constexpr int WATCH_MISSES_TO_VANISH = 2;
// The identity bytes that stay when a device changes its address.
inline constexpr int KNOWN_IDENTITY_BYTES = 6;

// True when a and b are one device: the same name and identity bytes 0 to 5,
// wherever each answered from.
bool SameDevice(const DeviceRecord& a, const DeviceRecord& b);

enum WatchEventKind { WATCH_APPEARED, WATCH_MOVED, WATCH_CHANGED, WATCH_VANISHED };

struct WatchEvent {
  WatchEventKind kind;
  DeviceRecord device;  // as the search found it; a vanished one as last seen
  DeviceRecord before;  // moved and changed: as the search before found it
};

class DeviceWatch {
 public:
  // The events since the previous call, given the list of devices the latest
  // search made (its first record): appeared, moved and changed in the list's
  // order (a move that also changed a setting gives both), then vanished.
  std::vector<WatchEvent> Update(const DeviceRecord* found);
  // How many devices it keeps.
  std::size_t KeptCount() const { return kept_.size(); }

 private:
  struct Kept {
    DeviceRecord device;
    int missed;
    bool seen;  // found by the search being compared
  };
  std::vector<Kept> kept_;
};

// True when the netmask, the gateway or the DHCP mode differ.
bool SettingsDiffer(const DeviceRecord& a, const DeviceRecord& b);
