#include "tests/support/virtual_sockets.h"

#include <cstring>
#include <utility>

#include "proto/wire.h"
#include "sim/sim_codec.h"

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
                           long long atMicroseconds, long long endMicroseconds) {
  floods_.push_back({socket, atMicroseconds, false, std::move(datagram), endMicroseconds});
}

void VirtualSockets::FloodFailedReads(SocketHandle socket, long long atMicroseconds,
                                      long long endMicroseconds) {
  floods_.push_back({socket, atMicroseconds, true, {}, endMicroseconds});
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
  calls_.push_back(Call{kind, s, 0, 0, 0, false, now_, 0, {}, {}});
  return calls_.back();
}

int VirtualSockets::FirstReadable(SocketHandle s, long long time) const {
  for (std::size_t i = 0; i < pending_.size(); i++) {
    if (pending_[i].socket == s && pending_[i].atMicroseconds <= time) return static_cast<int>(i);
  }
  return -1;
}

const VirtualSockets::Pending* VirtualSockets::FloodOn(SocketHandle s, long long time) const {
  const Pending* latest = nullptr;
  for (const Pending& flood : floods_) {
    if (flood.socket == s && flood.atMicroseconds <= time && time < flood.endMicroseconds) {
      latest = &flood;
    }
  }
  return latest;
}

bool VirtualSockets::StartLibrary() {
  Record(CallKind::StartLibrary, platform::NO_SOCKET).flag = startSucceeds;
  return startSucceeds;
}

int VirtualSockets::HostAddresses(Ipv4* out, int max) {
  int n = 0;
  for (Ipv4 address : hostAddresses) {
    if (n == max) break;
    out[n++] = address;
  }
  Record(CallKind::HostAddresses, platform::NO_SOCKET).value = n;
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
  const long long earliest = EarliestReadable(s, deadline);
  if (earliest < 0) {
    now_ = deadline;
    return false;
  }
  if (earliest > now_) now_ = earliest;
  call.flag = true;
  return true;
}

int VirtualSockets::WaitAnyReadable(const SocketHandle* sockets, int count,
                                    int timeoutMicroseconds, bool* ready) {
  Call& call = Record(CallKind::WaitAnyReadable, count > 0 ? sockets[0] : platform::NO_SOCKET);
  call.value = timeoutMicroseconds;
  call.waited.assign(sockets, sockets + count);
  const long long deadline = now_ + timeoutMicroseconds;
  long long earliest = -1;
  for (int k = 0; k < count; k++) {
    const long long at = EarliestReadable(sockets[k], deadline);
    if (at >= 0 && (earliest < 0 || at < earliest)) earliest = at;
  }
  now_ = earliest < 0 ? deadline : (earliest > now_ ? earliest : now_);
  int n = 0;
  for (int k = 0; k < count; k++) {
    ready[k] = earliest >= 0 && (FirstReadable(sockets[k], now_) >= 0 || FloodOn(sockets[k], now_));
    n += ready[k];
  }
  call.flag = n > 0;
  return n;
}

long long VirtualSockets::EarliestReadable(SocketHandle s, long long deadline) const {
  long long earliest = -1;
  for (const std::vector<Pending>* queue : {&pending_, &floods_}) {
    for (const Pending& p : *queue) {
      if (p.socket == s && p.atMicroseconds <= deadline && now_ < p.endMicroseconds &&
          (earliest < 0 || p.atMicroseconds < earliest)) {
        earliest = p.atMicroseconds;
      }
    }
  }
  return earliest;
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
  Record(CallKind::SleepMs, platform::NO_SOCKET).value = milliseconds;
  now_ += static_cast<long long>(milliseconds) * 1000;
}

void PutLength(std::vector<std::uint8_t>& datagram, std::size_t offset, std::uint32_t value) {
  if (datagram.size() < offset + 4) datagram.resize(offset + 4);
  ::PutLength(&datagram[offset], value);
}

namespace {

// The identity of the device at `deviceIp`: IDENTITY_PREFIX, then its address.
DeviceFacts FactsOf(const char* deviceIp) {
  DeviceFacts facts{};
  std::memcpy(facts.identity, IDENTITY_PREFIX, sizeof IDENTITY_PREFIX);
  const Ipv4 address = platform::InetAddr(deviceIp);
  std::memcpy(facts.identity + 6, &address, 4);
  return facts;
}

DeviceFacts SearchFacts(const char* deviceIp, const std::string& name, const char* netmask,
                        const char* gateway, char dhcpMode) {
  DeviceFacts facts = FactsOf(deviceIp);
  facts.dhcp = dhcpMode == '1';
  facts.netmask = netmask;
  facts.gateway = gateway;
  facts.name = name;
  return facts;
}

}  // namespace

// The simulator's encoders: the devices the unit tests script speak as lumaseek-sim does.
std::vector<std::uint8_t> ReplyHead(std::uint8_t opcode, const std::uint8_t* clientId,
                                    const char* deviceIp) {
  return EncodeReplyHead(opcode, clientId, FactsOf(deviceIp).identity);
}

std::vector<std::uint8_t> ShortSearchReply(const std::uint8_t* clientId, const char* deviceIp,
                                           const std::string& name, const char* netmask,
                                           const char* gateway, char dhcpMode) {
  return EncodeSearchReply(clientId, SearchFacts(deviceIp, name, netmask, gateway, dhcpMode), false,
                           0, 0);
}

std::vector<std::uint8_t> LongSearchReply(const std::uint8_t* clientId, const char* deviceIp,
                                          const std::string& name, std::uint8_t matchCode1,
                                          std::uint8_t matchCode2, const char* netmask,
                                          const char* gateway, char dhcpMode) {
  return EncodeSearchReply(clientId, SearchFacts(deviceIp, name, netmask, gateway, dhcpMode), true,
                           matchCode1, matchCode2);
}

std::vector<std::uint8_t> LoginReply(const std::uint8_t* clientId, const char* deviceIp,
                                     std::uint8_t result) {
  return EncodeQueryReply(clientId, FactsOf(deviceIp).identity,
                          std::string(1, static_cast<char>(result)));
}

std::vector<std::uint8_t> ShareListReply(const std::uint8_t* clientId, const char* deviceIp,
                                         const std::string& text) {
  return EncodeQueryReply(clientId, FactsOf(deviceIp).identity, text);
}

std::vector<std::uint8_t> ConfigReply(const std::uint8_t* clientId, const char* deviceIp) {
  return EncodeConfigReply(clientId, FactsOf(deviceIp).identity);
}

}  // namespace testing_support
