// The line watch prints for each event, as text or as one JSON object:
//   2026-12-08T22:51:05Z moved nas 10.0.0.5 -> 10.0.0.9 drives E:, F:
//   {"time": "...", "event": "moved", "device": {...}, "before": {...}, "drives": ["E:", "F:"]}
// "device" has the keys of search --json; moved and changed also give the
// device as it was before; moved gives the drive letters still connected to
// the old address (always an array, empty where none are, as on Linux).
#pragma once

#include <string>
#include <vector>

#include "cli/watch/watch_changes.h"

// `drives`: the letters ("E:") connected to a moved device's old address;
// only a moved event names them.
std::string WatchEventText(const std::string& time, const WatchEvent& event, const std::vector<std::string>& drives);
std::string WatchEventJson(const std::string& time, const WatchEvent& event, const std::vector<std::string>& drives);
