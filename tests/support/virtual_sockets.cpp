#include "tests/support/virtual_sockets.h"

#include <cstring>
#include <utility>

namespace testing_support {

using platform::Ipv4;
using platform::SocketHandle;

VirtualSockets::VirtualSockets() { platform::UseSockets(this); }

VirtualSockets::~VirtualSockets() { platform::UseSockets(nullptr); }

void VirtualSockets::Deliver(SocketHandle socket, std::vector<std::uint8_t> datagram,
                             long long atMicroseconds) {
  pending_.push_back({socket, atMicroseconds, false, std::move(datagram)});
}

void VirtualSockets::DeliverFailedRead(SocketHandle socket, long long atMicroseconds) {
  pending_.push_back({socket, atMicroseconds, true, {}});
}

void VirtualSockets::Flood(SocketHandle socket, std::vector<std::uint8_t> datagram,
                           long long atMicroseconds) {
  floods_.push_back({socket, atMicroseconds, false, std::move(datagram)});
}

void VirtualSockets::FloodFailedReads(SocketHandle socket, long long atMicroseconds) {
  floods_.push_back({socket, atMicroseconds, true, {}});
}

std::vector<VirtualSockets::Call> VirtualSockets::CallsOf(CallKind kind) const {
  std::vector<Call> found;
  for (const Call& call : calls_) {
    if (call.kind == kind) found.push_back(call);
  }
  return found;
}

int VirtualSockets::CountOf(CallKind kind) const {
  int n = 0;
  for (const Call& call : calls_) n += call.kind == kind;
  return n;
}

int VirtualSockets::PendingCount() const { return static_cast<int>(pending_.size()); }

VirtualSockets::Call& VirtualSockets::Record(CallKind kind, SocketHandle s) {
  calls_.push_back(Call{kind, s, 0, 0, 0, false, now_, 0, {}});
  return calls_.back();
}

int VirtualSockets::FirstReadable(SocketHandle s, long long time) const {
  for (std::size_t i = 0; i < pending_.size(); i++) {
    if (pending_[i].socket == s && pending_[i].atMicroseconds <= time) return static_cast<int>(i);
  }
  return -1;
}

const VirtualSockets::Pending* VirtualSockets::FloodOn(SocketHandle s, long long time) const {
  for (const Pending& flood : floods_) {
    if (flood.socket == s && flood.atMicroseconds <= time) return &flood;
  }
  return nullptr;
}

bool VirtualSockets::StartLibrary() {
  Record(CallKind::StartLibrary, platform::kNoSocket).flag = startSucceeds;
  return startSucceeds;
}

int VirtualSockets::HostAddresses(Ipv4* out, int max) {
  int n = 0;
  for (Ipv4 address : hostAddresses) {
    if (n == max) break;
    out[n++] = address;
  }
  Record(CallKind::HostAddresses, platform::kNoSocket).value = n;
  return n;
}

SocketHandle VirtualSockets::OpenUdp() {
  const SocketHandle s = nextSocket_++;
  Record(CallKind::OpenUdp, s);
  return s;
}

bool VirtualSockets::SetMulticastLoop(SocketHandle s, bool on) {
  Record(CallKind::SetMulticastLoop, s).flag = on;
  return true;
}

bool VirtualSockets::SetReuseAddress(SocketHandle s, bool on) {
  Record(CallKind::SetReuseAddress, s).flag = on;
  return true;
}

bool VirtualSockets::BindReceive(SocketHandle s, Ipv4 local, std::uint16_t port) {
  Call& call = Record(CallKind::BindReceive, s);
  call.address = local;
  call.port = port;
  if (bindError) lastError_ = bindError;
  return bindError == 0;
}

bool VirtualSockets::JoinGroup(SocketHandle s, Ipv4 group, Ipv4 local) {
  Call& call = Record(CallKind::JoinGroup, s);
  call.address = group;
  call.local = local;
  return true;
}

bool VirtualSockets::SetMulticastInterface(SocketHandle s, Ipv4 local) {
  Record(CallKind::SetMulticastInterface, s).address = local;
  return true;
}

int VirtualSockets::SendTo(SocketHandle s, const std::uint8_t* data, int size, Ipv4 to,
                           std::uint16_t port) {
  Call& call = Record(CallKind::SendTo, s);
  call.address = to;
  call.port = port;
  call.bytes.assign(data, data + size);
  if (sendError) lastError_ = sendError;
  call.value = sendError ? -1 : size;
  return static_cast<int>(call.value);
}

bool VirtualSockets::WaitReadable(SocketHandle s, int timeoutMicroseconds) {
  Call& call = Record(CallKind::WaitReadable, s);
  call.value = timeoutMicroseconds;
  const long long deadline = now_ + timeoutMicroseconds;
  long long earliest = -1;
  for (const std::vector<Pending>* queue : {&pending_, &floods_}) {
    for (const Pending& p : *queue) {
      if (p.socket == s && p.atMicroseconds <= deadline &&
          (earliest < 0 || p.atMicroseconds < earliest)) {
        earliest = p.atMicroseconds;
      }
    }
  }
  if (earliest < 0) {
    now_ = deadline;
    return false;
  }
  if (earliest > now_) now_ = earliest;
  call.flag = true;
  return true;
}

int VirtualSockets::Receive(SocketHandle s, std::uint8_t* buffer, int capacity) {
  Call& call = Record(CallKind::Receive, s);
  const long long readAt = now_;
  now_ += readCostMicroseconds;
  const int index = FirstReadable(s, readAt);
  const Pending* flood = index < 0 ? FloodOn(s, readAt) : nullptr;
  if (index < 0 && !flood) {
    call.value = -1;
    return -1;
  }
  Pending p = flood ? *flood : std::move(pending_[static_cast<std::size_t>(index)]);
  if (!flood) pending_.erase(pending_.begin() + index);
  if (p.fails) {
    call.value = -1;
    return -1;
  }
  // As recvfrom on a datagram socket: the rest of a longer datagram is lost.
  const int size = static_cast<int>(p.datagram.size()) < capacity
                       ? static_cast<int>(p.datagram.size())
                       : capacity;
  if (size > 0) std::memcpy(buffer, p.datagram.data(), static_cast<std::size_t>(size));
  call.value = size;
  return size;
}

void VirtualSockets::SleepMs(unsigned milliseconds) {
  Record(CallKind::SleepMs, platform::kNoSocket).value = milliseconds;
  now_ += static_cast<long long>(milliseconds) * 1000;
}

void PutLength(std::vector<std::uint8_t>& datagram, std::size_t offset, std::uint32_t value) {
  if (datagram.size() < offset + 4) datagram.resize(offset + 4);
  for (int i = 0; i < 4; i++) datagram[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> ReplyHead(std::uint8_t opcode, const std::uint8_t* clientId,
                                    const char* deviceIp) {
  std::vector<std::uint8_t> d(21, 0);
  d[0] = opcode;
  std::memcpy(&d[1], clientId, 10);
  std::memcpy(&d[11], kIdentityPrefix, 6);
  const Ipv4 address = platform::InetAddr(deviceIp);
  std::memcpy(&d[17], &address, 4);
  return d;
}

namespace {

std::vector<std::uint8_t> SearchFixedPart(std::uint8_t opcode, const std::uint8_t* clientId,
                                          const char* deviceIp, const char* netmask,
                                          const char* gateway, char dhcpMode, std::size_t size) {
  std::vector<std::uint8_t> d = ReplyHead(opcode, clientId, deviceIp);
  d.resize(size, 0);
  d[21] = static_cast<std::uint8_t>(dhcpMode);
  std::memcpy(&d[24], netmask, std::strlen(netmask) < 16 ? std::strlen(netmask) : 16);
  std::memcpy(&d[40], gateway, std::strlen(gateway) < 16 ? std::strlen(gateway) : 16);
  return d;
}

}  // namespace

std::vector<std::uint8_t> ShortSearchReply(const std::uint8_t* clientId, const char* deviceIp,
                                           const std::string& name, const char* netmask,
                                           const char* gateway, char dhcpMode) {
  std::vector<std::uint8_t> d =
      SearchFixedPart(2, clientId, deviceIp, netmask, gateway, dhcpMode, 60);
  PutLength(d, 56, static_cast<std::uint32_t>(name.size()));
  d.insert(d.end(), name.begin(), name.end());
  return d;
}

std::vector<std::uint8_t> LongSearchReply(const std::uint8_t* clientId, const char* deviceIp,
                                          const std::string& name, std::uint8_t matchCode1,
                                          std::uint8_t matchCode2, const char* netmask,
                                          const char* gateway, char dhcpMode) {
  std::vector<std::uint8_t> d =
      SearchFixedPart(7, clientId, deviceIp, netmask, gateway, dhcpMode, 72);
  d[56] = matchCode1;
  d[57] = matchCode2;
  PutLength(d, 68, static_cast<std::uint32_t>(name.size()));
  d.insert(d.end(), name.begin(), name.end());
  return d;
}

std::vector<std::uint8_t> LoginReply(const std::uint8_t* clientId, const char* deviceIp,
                                     std::uint8_t result) {
  std::vector<std::uint8_t> d = ReplyHead(4, clientId, deviceIp);
  d.resize(29, 0);
  d[28] = result;
  return d;
}

std::vector<std::uint8_t> ShareListReply(const std::uint8_t* clientId, const char* deviceIp,
                                         const std::string& text) {
  std::vector<std::uint8_t> d = ReplyHead(4, clientId, deviceIp);
  d.resize(28, 0);
  d.insert(d.end(), text.begin(), text.end());
  return d;
}

std::vector<std::uint8_t> ConfigReply(const std::uint8_t* clientId, const char* deviceIp) {
  return ReplyHead(6, clientId, deviceIp);
}

}  // namespace testing_support
