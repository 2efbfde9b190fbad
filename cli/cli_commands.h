// The commands of lumaseek-cli. Each starts the discovery engine and searches
// once; a per-device command also reads the replies that came after the
// search's reads (as search --all does), then selects DEVICE (an address or a
// name from that search) and runs its exchange. Each returns the process exit
// status.
#pragma once

#include <vector>

#include "cli/exit_status.h"
#include "proto/device_lists.h"

struct CliOptions {
  bool json = false;
  bool all = false;  // search: also the devices that answered after the search's reads
  bool force = false;  // set-static: even to an address another device or this PC already uses
  // Valued options point into argv, so that the password's text can be wiped
  // once copied.
  char* user = nullptr;  // null: the default credential
  char* password = nullptr;
  bool passwordStdin = false;
  char* interval = nullptr;  // watch: seconds between searches
  bool share = false;  // open: the share root instead of the web page
};

// Searches as the per-device commands do and selects DEVICE; otherwise says
// why on stderr and returns the exit status.
int SearchAndSelect(const char* device, const CliOptions& options, const DeviceRecord*& found);
// Searches as the per-device commands do; every device that answered.
std::vector<const DeviceRecord*> SearchEveryDevice(const CliOptions& options);

// 0 when a device answered, 1 otherwise.
int RunSearch(const CliOptions& options);
// One search as the program runs it, then a report of what each interface
// saw and why devices may be missing: 0 when a device was found, 1 otherwise.
int RunDoctor(const CliOptions& options);
int RunShares(const char* device, const CliOptions& options);
int RunLogin(const char* device, const CliOptions& options);
int RunSetDhcp(const char* device, const CliOptions& options);
int RunSetStatic(const char* device, const char* ip, const char* netmask, const char* gateway,
                 const CliOptions& options);
