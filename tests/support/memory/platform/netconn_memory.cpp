#include "platform/netconn_memory.h"

#include <cctype>
#include <cstring>

namespace platform {
namespace {

constexpr unsigned long NET_NOT_CONNECTED = 2250;  // ERROR_NOT_CONNECTED
constexpr unsigned long NET_MORE_DATA = 234;       // ERROR_MORE_DATA
constexpr unsigned long NET_BAD_DEVICE = 1200;     // ERROR_BAD_DEVICE

memory_netconn::Drive* DriveNamed(const char* name) {
  if (!name || !std::isalpha(static_cast<unsigned char>(name[0])) || name[1] != ':') return nullptr;
  return &memory_netconn::DriveOf(name[0]);
}

}  // namespace

using memory_netconn::Net;

unsigned long NetGetConnection(const char* localName, char* remoteName, unsigned long* length) {
  Net().calls.push_back({"get", localName, "", "", "", *length, false});
  memory_netconn::Drive* drive = DriveNamed(localName);
  if (!drive) return NET_BAD_DEVICE;
  if (drive->getError) return drive->getError;
  if (drive->remote.empty()) return NET_NOT_CONNECTED;
  unsigned long needed = static_cast<unsigned long>(drive->remote.size() + 1);
  if (needed > *length) {
    *length = needed;
    return NET_MORE_DATA;
  }
  std::memcpy(remoteName, drive->remote.c_str(), needed);
  return NET_OK;
}

unsigned DriveTypeOf(const char* rootPath) {
  Net().calls.push_back({"type", rootPath, "", "", "", 0, false});
  memory_netconn::Drive* drive = DriveNamed(rootPath);
  return drive ? drive->type : DRIVE_TYPE_NO_ROOT_DIR;
}

unsigned long NetAddConnection(const char* localName, const char* remoteName, const char* password,
                               const char* userName, unsigned long flags) {
  Net().calls.push_back({"add", localName, remoteName, password, userName, flags, false});
  unsigned long result = NET_OK;
  if (!Net().addResults.empty()) {
    result = Net().addResults.front();
    Net().addResults.pop_front();
  }
  memory_netconn::Drive* drive = DriveNamed(localName);
  if (result == NET_OK && drive) {
    drive->remote = remoteName;
    drive->type = DRIVE_TYPE_REMOTE;
  }
  return result;
}

unsigned long NetCancelConnection(const char* name, unsigned long flags, bool force) {
  Net().calls.push_back({"cancel", name, "", "", "", flags, force});
  memory_netconn::Drive* drive = DriveNamed(name);
  if (!drive) return NET_BAD_DEVICE;
  if (drive->remote.empty()) return NET_NOT_CONNECTED;
  drive->remote.clear();
  drive->type = DRIVE_TYPE_NO_ROOT_DIR;
  return NET_OK;
}

namespace memory_netconn {

State& Net() {
  static State state;
  return state;
}

void Reset() { Net() = State{}; }

Drive& DriveOf(char letter) {
  return Net().drives[std::toupper(static_cast<unsigned char>(letter)) - 'A'];
}

std::vector<Call> CallsOf(const std::string& op) {
  std::vector<Call> out;
  for (const Call& call : Net().calls)
    if (call.op == op) out.push_back(call);
  return out;
}

}  // namespace memory_netconn
}  // namespace platform
