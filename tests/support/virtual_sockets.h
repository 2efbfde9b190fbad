// A stand-in for the socket service with a virtual clock, for tests of the
// discovery engine. Nothing touches the network: datagrams are scripted per
// receive socket, every call is recorded, and time passes only when the engine
// waits or sleeps, so an 11-second time-out runs in microseconds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sockets.h"

namespace testing_support {

class VirtualSockets : public platform::SocketService {
 public:
  enum class CallKind {
    StartLibrary, HostAddresses, OpenUdp, SetMulticastLoop, SetReuseAddress, BindReceive,
    JoinGroup, SetMulticastInterface, SendTo, WaitReadable, Receive, SleepMs, WaitAnyReadable,
  };

  // One call as the engine made it; fields that the call has not are zero.
  struct Call {
    CallKind kind;
    platform::SocketHandle socket;
    platform::Ipv4 address;  // bind/interface/destination address, or the group
    platform::Ipv4 local;    // JoinGroup's interface
    std::uint16_t port;
    bool flag;               // option value, or whether a wait found a datagram
    long long atMicroseconds;  // virtual time when the call began
    long long value;           // wait time-out, pause, or Receive's result
    std::vector<std::uint8_t> bytes;  // what SendTo sent
    std::vector<platform::SocketHandle> waited;  // WaitAnyReadable's sockets
  };

  // Installs itself with platform::UseSockets; the destructor restores the OS's.
  VirtualSockets();
  ~VirtualSockets() override;
  VirtualSockets(const VirtualSockets&) = delete;
  VirtualSockets& operator=(const VirtualSockets&) = delete;

  // Set-up.
  bool startSucceeds = true;
  std::vector<platform::Ipv4> hostAddresses;
  int bindError = 0;  // nonzero: every BindReceive fails, and LastError gives this code
  int sendError = 0;  // nonzero: every SendTo fails, and LastError gives this code
  // Queues a datagram for `socket`, readable from virtual time `atMicroseconds`.
  void Deliver(platform::SocketHandle socket, std::vector<std::uint8_t> datagram,
               long long atMicroseconds = 0);
  // Queues a read of `socket` that fails (recvfrom returns -1).
  void DeliverFailedRead(platform::SocketHandle socket, long long atMicroseconds = 0);
  // From `atMicroseconds` until `endMicroseconds`, `socket` has `datagram` to
  // read after whatever is queued: a flood. FloodFailedReads floods it with
  // failing reads. A later flood replaces an earlier one while it lasts.
  static constexpr long long ENDLESS = 0x7FFFFFFFFFFFFFFF;
  void Flood(platform::SocketHandle socket, std::vector<std::uint8_t> datagram,
             long long atMicroseconds = 0, long long endMicroseconds = ENDLESS);
  void FloodFailedReads(platform::SocketHandle socket, long long atMicroseconds = 0,
                        long long endMicroseconds = ENDLESS);
  // Virtual time each Receive takes; with 0 a flood would hold time still.
  long long readCostMicroseconds = 0;

  // Inspection.
  long long NowMicroseconds() const { return now_; }
  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<Call> CallsOf(CallKind kind) const;
  int CountOf(CallKind kind) const;
  // Datagrams scripted but not read yet, for all sockets.
  int PendingCount() const;

  // platform::SocketService
  bool StartLibrary() override;
  int HostAddresses(platform::Ipv4* out, int max) override;
  platform::SocketHandle OpenUdp() override;
  bool SetMulticastLoop(platform::SocketHandle s, bool on) override;
  bool SetReuseAddress(platform::SocketHandle s, bool on) override;
  bool BindReceive(platform::SocketHandle s, platform::Ipv4 local, std::uint16_t port) override;
  bool JoinGroup(platform::SocketHandle s, platform::Ipv4 group, platform::Ipv4 local) override;
  bool SetMulticastInterface(platform::SocketHandle s, platform::Ipv4 local) override;
  int SendTo(platform::SocketHandle s, const std::uint8_t* data, int size, platform::Ipv4 to,
             std::uint16_t port) override;
  bool WaitReadable(platform::SocketHandle s, int timeoutMicroseconds) override;
  int WaitAnyReadable(const platform::SocketHandle* sockets, int count, int timeoutMicroseconds,
                      bool* ready) override;
  int Receive(platform::SocketHandle s, std::uint8_t* buffer, int capacity) override;
  void SleepMs(unsigned milliseconds) override;
  long long MonotonicMicroseconds() override { return now_; }
  int LastError() override { return lastError_; }

 private:
  int lastError_ = 0;
  struct Pending {
    platform::SocketHandle socket;
    long long atMicroseconds;
    bool fails;
    std::vector<std::uint8_t> datagram;
    long long endMicroseconds = ENDLESS;  // floods only
  };
  Call& Record(CallKind kind, platform::SocketHandle s);
  // Index of the first datagram for `s` readable by `time`, or -1.
  int FirstReadable(platform::SocketHandle s, long long time) const;
  // When `s` has something to read first, at `now_` or later up to
  // `deadline`; -1 when it has nothing by then.
  long long EarliestReadable(platform::SocketHandle s, long long deadline) const;
  // The flood on `s` under way by `time`, or null.
  const Pending* FloodOn(platform::SocketHandle s, long long time) const;

  long long now_ = 0;
  platform::SocketHandle nextSocket_ = 100;
  std::vector<Call> calls_;
  std::vector<Pending> pending_;
  std::vector<Pending> floods_;
};

// Identity bytes 0 to 5 of every device the reply builders describe.
inline constexpr std::uint8_t IDENTITY_PREFIX[6] = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6};

// Reply datagrams as a device would send them to the requester `clientId`
// (10 bytes), from the device at `deviceIp` (identity bytes 6 to 9).
std::vector<std::uint8_t> ReplyHead(std::uint8_t opcode, const std::uint8_t* clientId,
                                    const char* deviceIp);
std::vector<std::uint8_t> ShortSearchReply(const std::uint8_t* clientId, const char* deviceIp,
                                           const std::string& name,
                                           const char* netmask = "255.255.255.0",
                                           const char* gateway = "192.168.0.1",
                                           char dhcpMode = '0');
std::vector<std::uint8_t> LongSearchReply(const std::uint8_t* clientId, const char* deviceIp,
                                          const std::string& name, std::uint8_t matchCode1,
                                          std::uint8_t matchCode2,
                                          const char* netmask = "255.255.255.0",
                                          const char* gateway = "192.168.0.1",
                                          char dhcpMode = '0');
// Opcode-4 replies: the login result at byte 28, or the share text from byte 28.
std::vector<std::uint8_t> LoginReply(const std::uint8_t* clientId, const char* deviceIp,
                                     std::uint8_t result);
std::vector<std::uint8_t> ShareListReply(const std::uint8_t* clientId, const char* deviceIp,
                                         const std::string& text);
// Opcode 6 from the device's (new) address.
std::vector<std::uint8_t> ConfigReply(const std::uint8_t* clientId, const char* deviceIp);
// Writes a 32-bit little-endian length field.
void PutLength(std::vector<std::uint8_t>& datagram, std::size_t offset, std::uint32_t value);

}  // namespace testing_support
