#include "proto/device_lists.h"

#include <cstring>
#include <new>

#include "proto/exchanges.h"
#include "proto/text_copy.h"

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

void AppendDevice(const char* name, const char* ipText, const char* netmaskText,
                  const char* gatewayText, const std::uint8_t identity[IDENTITY_SIZE],
                  const char* dhcpFlag, std::int32_t interfaceIndex) {
  DeviceRecord* record = new (std::nothrow) DeviceRecord{};
  if (!record) return;
  LinkAtTail(DeviceList, record);
  CopyText(record->name, sizeof record->name, name);
  CopyText(record->ipText, sizeof record->ipText, ipText);
  CopyText(record->netmaskText, sizeof record->netmaskText, netmaskText);
  CopyText(record->gatewayText, sizeof record->gatewayText, gatewayText);
  CopyText(record->dhcpFlag, sizeof record->dhcpFlag, dhcpFlag);
  std::memcpy(record->identity, identity, IDENTITY_SIZE);
  record->interfaceIndex = interfaceIndex;
  record->next = nullptr;
}

bool DeviceIpKnown(const char* ipText) {
  for (DeviceRecord* r = DeviceList.head; r; r = r->next) {
    if (std::strcmp(r->ipText, ipText) == 0) return true;
  }
  return false;
}

DeviceRecord* FindSelectedDevice() {
  for (DeviceRecord* r = DeviceList.head; r; r = r->next) {
    if (std::strncmp(r->ipText, SelectedDeviceIp, ADDRESS_TEXT_SIZE) == 0) return r;
  }
  return nullptr;
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
