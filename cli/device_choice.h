// DEVICE as given on the command line: the address of a listed device, or a
// name as the command line shows it (see cli_output.h), which must be one
// device's only.
#pragma once

#include <vector>

#include "proto/device_lists.h"

struct DeviceChoice {
  const DeviceRecord* device = nullptr;  // the device meant, if one is
  std::vector<const DeviceRecord*> sameName;  // when several devices have that name
};

// By address first, then by name.
DeviceChoice ChooseDevice(const std::vector<const DeviceRecord*>& listed, const char* argument);
