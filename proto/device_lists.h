// DeviceList and ShareList: the devices that answered the last search and the
// shares the selected device named last, as singly linked lists in arrival order.
#pragma once

#include <cstdint>

#include "proto/device_record.h"

template <typename Record>
struct RecordList {
  std::int32_t count;
  Record* head;
  Record* tail;
};

extern RecordList<DeviceRecord> DeviceList;
extern RecordList<ShareRecord> ShareList;

void ClearDeviceList();
// Appends a copy of `device` (all but `next`) reached through interface `interfaceIndex`.
void AppendDevice(const DeviceRecord& device, std::int32_t interfaceIndex);
// Texts longer than their field are cut to it.
void AppendDevice(const char* name, const char* ipText, const char* netmaskText,
                  const char* gatewayText, const std::uint8_t identity[IDENTITY_SIZE],
                  const char* dhcpFlag, std::int32_t interfaceIndex);
bool DeviceIpKnown(const char* ipText);
// The last record named `name`: of devices sharing a name the last one listed
// counts, as the IP Settings page has always taken it. Null when none is.
const DeviceRecord* LastDeviceNamed(const char* name);
// First record whose ipText equals `ipText` (compared up to ADDRESS_TEXT_SIZE
// bytes, so it need not be terminated), or nullptr.
DeviceRecord* FindDevice(const char* ipText);
// Adds the device of a short or long search reply unless its address is
// listed already; a malformed reply is dropped.
void DecodeSearchReply(const std::uint8_t* reply, int size, int interfaceIndex);

void ClearShareList();
void AppendShare(const char* name);
bool ShareKnown(const char* name);
// Appends the ":"-separated share names of a share-list reply that are not listed yet.
void DecodeShareList(const std::uint8_t* reply, int size);
