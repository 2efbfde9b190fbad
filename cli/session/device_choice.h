// DEVICE as given on the command line: the address of a listed device (read
// as set-static reads addresses, so 198.18.0.010 is 198.18.0.10), or a name
// as the command line shows it (see cli_output.h), which must be one device's
// only and no other device's address.
#pragma once

#include <string>
#include <vector>

#include "proto/device_lists.h"

struct DeviceChoice {
  const DeviceRecord* device = nullptr;  // the device meant, if one is
  std::vector<const DeviceRecord*> sameName;  // when several devices have that name
  // When DEVICE is one device's address and another's name: that device, then
  // the devices of that name.
  std::vector<const DeviceRecord*> addressAndName;
};

DeviceChoice ChooseDevice(const std::vector<const DeviceRecord*>& listed, const char* argument);

// Why `choice` names no single device, for a usage error; empty when it
// names one or none.
std::string AmbiguityText(const DeviceChoice& choice, const char* argument);
