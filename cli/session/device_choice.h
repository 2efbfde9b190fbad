// DEVICE as given on the command line: the address of a listed device, or a
// name as the command line shows it (see cli_output.h), which must be one
// device's only.
#pragma once

#include <cstdint>
#include <vector>

#include "proto/device_lists.h"

struct DeviceChoice {
  const DeviceRecord* device = nullptr;  // the device meant, if one is
  std::vector<const DeviceRecord*> sameName;  // when several devices have that name
};

// By address first, then by name.
DeviceChoice ChooseDevice(const std::vector<const DeviceRecord*>& listed, const char* argument);

// The listed device at `ip` with this identity, or nullptr: the device a
// change moved, found again by its new address and not by its name.
const DeviceRecord* FindAgain(const std::vector<const DeviceRecord*>& listed, const char* ip,
                              const std::uint8_t identity[IDENTITY_SIZE]);
