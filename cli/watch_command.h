// lumaseek-cli watch: searches again and again, reading late replies as
// search --all does, and prints one line per change (see watch_changes.h)
// with its time in UTC, as text or as one JSON object per line:
//   {"time": "2026-12-08T22:51:05Z", "event": "moved", "device": {...}, "before": {...}}
// "event" is appeared, moved, changed or vanished; "device" has the keys of
// search --json; moved and changed also give the device as it was before.
// Ctrl-C and its kin end it with exit status 0.
#pragma once

#include "cli/cli_commands.h"

inline constexpr int WATCH_DEFAULT_INTERVAL_S = 10;
inline constexpr int WATCH_MIN_INTERVAL_S = 2;
inline constexpr int WATCH_MAX_INTERVAL_S = 86400;

// The seconds between searches that --interval's `text` gives (null: the
// default); 0 when it is not a whole number in the allowed range.
int WatchIntervalSeconds(const char* text);
int RunWatch(const CliOptions& options);
