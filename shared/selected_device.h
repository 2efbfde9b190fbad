// The device picked in the Search Device list, shared by the three pages.
#pragma once

#include <cstdint>
#include <string>

#include "proto/device_record.h"

struct SelectedDeviceState {
  std::string deviceName;         // the row's "Name" cell
  std::string shareHostText;      // the row's "IP" cell at the click; never rewritten later
  std::string deviceIpText;       // the row's "IP" cell; rewritten after an address change
  std::string deviceNetmaskText;
  std::string deviceGatewayText;
  std::uint32_t ipAddress;        // inet_addr of the texts: first octet in the lowest byte
  std::uint32_t netmaskAddress;
  std::uint32_t gatewayAddress;
  std::int32_t dhcpEnabled;       // 1 when the device is a DHCP client
  std::int32_t deviceSelected;    // 1 after a click in the list since the last search
};

extern SelectedDeviceState SelectedDevice;

// The two-line summary the IP Settings and Drive Mapping pages show; empty
// when no device is picked.
std::string SelectedDeviceSummary();
// Empties the five texts.
void ClearSelectedDeviceTexts();
// Zeroes the three addresses and the DHCP mode; the texts stay.
void ClearSelectedDeviceAddresses();
// The addresses, their texts and the DHCP mode from a listed device; the
// name, the share host and the selection stay.
void FillSelectedDevice(const DeviceRecord& record);
// Start-of-program values. For tests.
void ResetSelectedDevice();
