// One device as a search reply describes it, and one share name as a share-list
// reply gives it: the records the wire layer fills and the lists hold.
#pragma once

#include <cstdint>

#include "proto/local_interfaces.h"

inline constexpr int DEVICE_NAME_SIZE = 256;
inline constexpr int DHCP_FLAG_SIZE = 8;
inline constexpr int IDENTITY_SIZE = 10;
inline constexpr int SHARE_NAME_SIZE = 132;

struct DeviceRecord {
  char name[DEVICE_NAME_SIZE];
  char ipText[ADDRESS_TEXT_SIZE];
  char netmaskText[ADDRESS_TEXT_SIZE];
  char gatewayText[ADDRESS_TEXT_SIZE];
  char dhcpFlag[DHCP_FLAG_SIZE];
  std::uint8_t identity[IDENTITY_SIZE];
  std::int32_t interfaceIndex;
  DeviceRecord* next;
};

// True when the device takes its address from a DHCP server.
inline bool IsDhcpClient(const DeviceRecord& device) { return device.dhcpFlag[0] == '1'; }

struct ShareRecord {
  char name[SHARE_NAME_SIZE];
  ShareRecord* next;
};
