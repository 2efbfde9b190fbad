// DeviceList and ShareList: the devices that answered the last search and the
// shares the selected device named last, as singly linked lists in arrival order.
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

struct ShareRecord {
  char name[SHARE_NAME_SIZE];
  ShareRecord* next;
};

template <typename Record>
struct RecordList {
  std::int32_t count;
  Record* head;
  Record* tail;
};

extern RecordList<DeviceRecord> DeviceList;
extern RecordList<ShareRecord> ShareList;

void ClearDeviceList();
// Texts longer than their field are cut to it.
void AppendDevice(const char* name, const char* ipText, const char* netmaskText,
                  const char* gatewayText, const std::uint8_t identity[IDENTITY_SIZE],
                  const char* dhcpFlag, std::int32_t interfaceIndex);
bool DeviceIpKnown(const char* ipText);
// First record whose ipText equals SelectedDeviceIp, or nullptr.
DeviceRecord* FindSelectedDevice();

void ClearShareList();
void AppendShare(const char* name);
bool ShareKnown(const char* name);
