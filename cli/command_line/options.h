// The options of lumaseek-cli: what each sets in CliOptions, its value's name
// and a line on what it does. Which command takes which is the command
// table's (command_table.h).
#pragma once

#include "proto/wire.h"

// The longest password a device takes, in bytes (a character outside ASCII
// takes 2 to 4 of them in UTF-8).
inline constexpr int PASSWORD_MAX_BYTES = LOGIN_TEXT_SIZE - 1;
// The longest user name a device takes, in bytes.
inline constexpr int USER_NAME_MAX_BYTES = LOGIN_TEXT_SIZE - 1;

inline constexpr int WATCH_DEFAULT_INTERVAL_S = 10;
inline constexpr int WATCH_MIN_INTERVAL_S = 2;
inline constexpr int WATCH_MAX_INTERVAL_S = 86400;

struct CliOptions {
  bool json = false;
  bool all = false;  // search: also the devices that answered after the search's reads
  bool force = false;  // set-static: even to an address another device or this PC already uses
  bool moveDrives = false;  // set-dhcp, set-static: the drive letters follow the device
  // Valued options point into argv, so that the password's text can be wiped
  // once copied.
  char* user = nullptr;  // null: the default credential
  char* password = nullptr;
  bool passwordStdin = false;
  // watch: seconds between searches; 0 when --interval gave no whole number
  // of seconds in the allowed range.
  int interval = WATCH_DEFAULT_INTERVAL_S;
  bool share = false;  // open: the share root instead of the web page
  bool publicProfile = false;  // firewall allow: the Public profile too
};

struct Option {
  const char* name;       // "--json"
  const char* valueName;  // "NAME" for a valued option; null for a flag
  // Sets the option; `value` is the next argument, or null for a flag.
  void (*take)(CliOptions& options, char* value);
  // Still accepted, but neither usage, help nor completion offers it.
  bool hidden;
  const char* help;  // what it does, one line
};

extern const Option OPTIONS[];
extern const int OPTION_COUNT;

// The option of that name, or null.
const Option* FindOption(const char* name);

// The seconds between searches that --interval's `text` gives; 0 when it is
// not a whole number in the allowed range.
int WatchIntervalSeconds(const char* text);
