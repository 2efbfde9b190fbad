// The commands of lumaseek-cli. Each starts the discovery engine and searches
// once; a per-device command then selects DEVICE (an address or a name from
// that search) and runs its exchange. Each returns the process exit status.
#pragma once

#include "proto/device_lists.h"

inline constexpr int EXIT_DONE = 0;
inline constexpr int EXIT_FAILED = 1;  // not found, refused, no answer in time
inline constexpr int EXIT_USAGE = 2;   // bad usage or an invalid address

struct CliOptions {
  bool json = false;
  bool all = false;  // search: also the devices that answered after the search's reads
  const char* user = nullptr;  // null: the default credential
  const char* password = nullptr;
  bool share = false;  // open: the share root instead of the web page
};

// One search, then DEVICE selected as the per-device commands select it (its
// address in SelectedDeviceIp); null, said on stderr, when it did not answer.
const DeviceRecord* FindDevice(const char* device, const CliOptions& options);

int RunSearch(const CliOptions& options);
// One search as the program runs it, then a report of what each interface
// saw and why devices may be missing: 0 when a device was found, 1 otherwise.
int RunDoctor(const CliOptions& options);
int RunShares(const char* device, const CliOptions& options);
int RunLogin(const char* device, const CliOptions& options);
int RunSetDhcp(const char* device, const CliOptions& options);
int RunSetStatic(const char* device, const char* ip, const char* netmask, const char* gateway,
                 const CliOptions& options);
