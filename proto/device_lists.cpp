#include "proto/device_lists.h"

#include <cstring>
#include <new>

#include "proto/text_copy.h"
#include "proto/wire.h"

RecordList<DeviceRecord> DeviceList;
RecordList<ShareRecord> ShareList;

namespace {

template <typename Record>
void ClearList(RecordList<Record>& list) {
  Record* record = list.head;
  while (record) {
    Record* next = record->next;
    delete record;
    record = next;
  }
  list = RecordList<Record>{};
}

template <typename Record>
void LinkAtTail(RecordList<Record>& list, Record* record) {
  if (list.count == 0) {
    list.head = record;
  } else {
    list.tail->next = record;
  }
  list.tail = record;
  list.count++;
}

}  // namespace

void ClearDeviceList() { ClearList(DeviceList); }

void AppendDevice(const DeviceRecord& device, std::int32_t interfaceIndex) {
  DeviceRecord* record = new (std::nothrow) DeviceRecord(device);
  if (!record) return;
  LinkAtTail(DeviceList, record);
  record->interfaceIndex = interfaceIndex;
  record->next = nullptr;
}

void AppendDevice(const char* name, const char* ipText, const char* netmaskText,
                  const char* gatewayText, const std::uint8_t identity[IDENTITY_SIZE],
                  const char* dhcpFlag, std::int32_t interfaceIndex) {
  DeviceRecord device{};
  CopyText(device.name, sizeof device.name, name);
  CopyText(device.ipText, sizeof device.ipText, ipText);
  CopyText(device.netmaskText, sizeof device.netmaskText, netmaskText);
  CopyText(device.gatewayText, sizeof device.gatewayText, gatewayText);
  CopyText(device.dhcpFlag, sizeof device.dhcpFlag, dhcpFlag);
  std::memcpy(device.identity, identity, IDENTITY_SIZE);
  AppendDevice(device, interfaceIndex);
}

bool DeviceIpKnown(const char* ipText) {
  for (DeviceRecord* r = DeviceList.head; r; r = r->next) {
    if (std::strcmp(r->ipText, ipText) == 0) return true;
  }
  return false;
}

const DeviceRecord* LastDeviceNamed(const char* name) {
  const DeviceRecord* last = nullptr;
  for (const DeviceRecord* r = DeviceList.head; r; r = r->next) {
    if (std::strcmp(r->name, name) == 0) last = r;
  }
  return last;
}

DeviceRecord* FindDevice(const char* ipText) {
  for (DeviceRecord* r = DeviceList.head; r; r = r->next) {
    if (std::strncmp(r->ipText, ipText, ADDRESS_TEXT_SIZE) == 0) return r;
  }
  return nullptr;
}

void DecodeSearchReply(const std::uint8_t* reply, int size, int interfaceIndex) {
  DeviceRecord found{};
  if (ParseSearchReply(reply, size, found) && !DeviceIpKnown(found.ipText)) {
    AppendDevice(found, interfaceIndex);
  }
}

void ClearShareList() { ClearList(ShareList); }

void AppendShare(const char* name) {
  ShareRecord* record = new (std::nothrow) ShareRecord{};
  if (!record) return;
  LinkAtTail(ShareList, record);
  CopyText(record->name, sizeof record->name, name);
  record->next = nullptr;
}

bool ShareKnown(const char* name) {
  for (ShareRecord* r = ShareList.head; r; r = r->next) {
    if (std::strcmp(r->name, name) == 0) return true;
  }
  return false;
}

void DecodeShareList(const std::uint8_t* reply, int size) {
  char name[SHARE_NAME_SIZE];
  for (int at = NextShareName(reply, size, 0, name); at >= 0;
       at = NextShareName(reply, size, at, name)) {
    if (!ShareKnown(name)) AppendShare(name);
  }
}
