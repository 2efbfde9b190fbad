// Every datagram that reaches an exchange, scripted by the input through the
// virtual socket service: a search over 1 to 8 interfaces, then one of the
// per-device exchanges (login check, share query, DHCP or static change) on a
// device the search listed. Besides the sanitizers, the run checks what no
// datagram may change: the lists stay consistent, each wait ends within its
// poll bound, and a result claims only what an own reply carried.
//
// Input: a 3-byte set-up, then datagrams, each a 3-byte head and its bytes.
//   set-up  [0] bits 0-2 interfaces - 1, bits 3-5 exchange, bits 6-7 device pick
//           [1] [2] the search's match codes
//   head    [0] flags (below), [1] size low byte, [2] bits 0-4 size high bits,
//           bits 5-7 the interface whose receive socket gets it
#include <cstdint>
#include <cstring>
#include <vector>

#include "proto/exchanges.h"
#include "proto/wire.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/virtual_sockets.h"

namespace {

using testing_support::VirtualSockets;
using Kind = VirtualSockets::CallKind;

enum Flags : std::uint8_t {
  STAMP_CLIENT_ID = 1,  // bytes 1 to 10 become ClientId, so the reply is own
  STAMP_ADDRESS = 2,    // bytes 17 to 20 become the awaited device address
  FAILED_READ = 4,      // a read that fails instead of a datagram
  AFTER_SEARCH = 8,     // arrives once the search is over
  // bits 4 to 6: arrival, in steps of 50 ms from the start of its exchange (a
  // share query drains for 110 ms before it sends)
};

enum Exchange { NONE, LOGIN, SHARES, DHCP, STATIC };

constexpr std::uint8_t kClientId[CLIENT_ID_SIZE] = {0x5A, 0x11, 0xC3, 0x07, 0x80, 0xFF};
constexpr char kNewIp[] = "198.18.0.77";
constexpr long long kMs = 1000;

struct Scripted {
  int interfaceIndex;
  bool failed;
  bool afterSearch;
  bool stampAddress;  // filled in once the awaited address is known
  long long offset;
  std::vector<std::uint8_t> bytes;
};

platform::SocketHandle ReceiveSocket(int i) { return 100 + i; }

void UseInterfaces(int n) {
  LocalInterfaceTable.count = n;
  for (int i = 0; i < n; i++) {
    std::snprintf(LocalInterfaceTable.address[i], ADDRESS_TEXT_SIZE, "198.18.%d.1", 4 * i);
    SendSockets[i] = 200 + i;
    ReceiveSockets[i] = ReceiveSocket(i);
  }
}

std::vector<Scripted> ParseScript(const std::uint8_t* data, std::size_t size, int interfaces) {
  std::vector<Scripted> script;
  std::size_t at = 0;
  while (at + 3 <= size) {
    const std::uint8_t flags = data[at];
    std::size_t length = data[at + 1] | (data[at + 2] & 0x1F) << 8;
    Scripted s{(data[at + 2] >> 5) % interfaces, (flags & FAILED_READ) != 0,
               (flags & AFTER_SEARCH) != 0, (flags & STAMP_ADDRESS) != 0,
               ((flags >> 4) & 7) * 50 * kMs, {}};
    at += 3;
    if (length > size - at) length = size - at;
    s.bytes.assign(data + at, data + at + length);
    at += length;
    if (flags & STAMP_CLIENT_ID) {
      for (std::size_t i = 1; i < s.bytes.size() && i <= CLIENT_ID_SIZE; i++) s.bytes[i] = kClientId[i - 1];
    }
    script.push_back(std::move(s));
  }
  return script;
}

void StampAddress(Scripted& s, const char* ip) {
  if (!s.stampAddress) return;
  const platform::Ipv4 a = platform::InetAddr(ip);
  for (int i = 0; i < 4 && REPLY_ADDRESS_OFFSET + i < static_cast<int>(s.bytes.size()); i++) {
    s.bytes[REPLY_ADDRESS_OFFSET + i] = reinterpret_cast<const std::uint8_t*>(&a)[i];
  }
}

bool Terminated(const char* text, std::size_t size) { return std::memchr(text, '\0', size) != nullptr; }

void CheckDeviceList(int interfaces, bool unique) {
  int n = 0;
  const DeviceRecord* last = nullptr;
  for (const DeviceRecord* r = DeviceList.head; r; r = r->next) {
    n++;
    last = r;
    FUZZ_CHECK(Terminated(r->name, sizeof r->name) && Terminated(r->ipText, sizeof r->ipText));
    FUZZ_CHECK(Terminated(r->netmaskText, sizeof r->netmaskText));
    FUZZ_CHECK(Terminated(r->gatewayText, sizeof r->gatewayText));
    FUZZ_CHECK(Terminated(r->dhcpFlag, sizeof r->dhcpFlag) && std::strlen(r->dhcpFlag) <= 1);
    FUZZ_CHECK(r->interfaceIndex >= 0 && r->interfaceIndex < interfaces);
    // Identity bytes 6 to 9 and the address text name the same address.
    const platform::Ipv4 a = platform::InetAddr(r->ipText);
    FUZZ_CHECK(std::memcmp(r->identity + 6, &a, 4) == 0);
    if (unique) {
      for (const DeviceRecord* o = r->next; o; o = o->next) FUZZ_CHECK(std::strcmp(o->ipText, r->ipText) != 0);
    }
  }
  FUZZ_CHECK(n == DeviceList.count && last == DeviceList.tail);
}

void CheckShareList() {
  int n = 0;
  for (const ShareRecord* r = ShareList.head; r; r = r->next) {
    n++;
    FUZZ_CHECK(Terminated(r->name, sizeof r->name));
    FUZZ_CHECK(r->name[0] != '\0' && std::strchr(r->name, ':') == nullptr);
    for (const ShareRecord* o = r->next; o; o = o->next) FUZZ_CHECK(std::strcmp(o->name, r->name) != 0);
  }
  FUZZ_CHECK(n == ShareList.count);
}

// Whether an own opcode-4 datagram from `ip` with result `result` was scripted for socket `s`.
bool OwnLoginReplyScripted(const std::vector<Scripted>& script, int i, const char* ip, int result) {
  const platform::Ipv4 a = platform::InetAddr(ip);
  for (const Scripted& s : script) {
    const std::vector<std::uint8_t>& d = s.bytes;
    if (s.failed || s.interfaceIndex != i || d.size() <= QUERY_RESULT_OFFSET) continue;
    if (d[0] == OP_QUERY_REPLY && std::memcmp(&d[1], kClientId, 6) == 0 &&
        std::memcmp(&d[REPLY_ADDRESS_OFFSET], &a, 4) == 0 &&
        static_cast<std::int8_t>(d[QUERY_RESULT_OFFSET]) == result) {
      return true;
    }
  }
  return false;
}

struct Snapshot {
  std::vector<DeviceRecord> records;
  char selected[ADDRESS_TEXT_SIZE];

  Snapshot() {
    for (const DeviceRecord* r = DeviceList.head; r; r = r->next) records.push_back(*r);
    std::memcpy(selected, SelectedDeviceIp, sizeof selected);
  }
  bool Unchanged() const {
    std::size_t n = 0;
    for (const DeviceRecord* r = DeviceList.head; r; r = r->next, n++) {
      if (n >= records.size()) return false;
      DeviceRecord copy = records[n];
      copy.next = r->next;
      if (std::memcmp(&copy, r, sizeof copy) != 0) return false;
    }
    return n == records.size() && std::memcmp(selected, SelectedDeviceIp, sizeof selected) == 0;
  }
};

void Deliver(VirtualSockets& net, const Scripted& s, long long base) {
  const platform::SocketHandle socket = ReceiveSocket(s.interfaceIndex);
  if (s.failed) {
    net.DeliverFailedRead(socket, base + s.offset);
  } else {
    net.Deliver(socket, s.bytes, base + s.offset);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3 || size > 64 * 1024) return -1;
  ResetDiscoveryState();
  std::memcpy(ClientId, kClientId, CLIENT_ID_SIZE);
  const int interfaces = 1 + (data[0] & 7);
  const Exchange exchange = static_cast<Exchange>((data[0] >> 3 & 7) % 5);
  const int pick = data[0] >> 6;
  const int match1 = data[1], match2 = data[2];
  std::vector<Scripted> script = ParseScript(data + 3, size - 3, interfaces);

  VirtualSockets net;
  UseInterfaces(interfaces);

  // The search, with every datagram scripted for it waiting from the start.
  int failedBefore = 0;
  for (Scripted& s : script) {
    if (s.afterSearch) continue;
    StampAddress(s, "198.18.0.10");
    Deliver(net, s, 0);
    failedBefore += s.failed;
  }
  SearchDevices(match1, match2);
  CheckDeviceList(interfaces, true);
  // 32 counted polls per interface; only a failed read is not counted.
  FUZZ_CHECK(net.CountOf(Kind::WaitReadable) <= SEARCH_POLLS_PER_INTERFACE * interfaces + failedBefore);
  FUZZ_CHECK(DeviceList.count <= SEARCH_POLLS_PER_INTERFACE * interfaces);
  FUZZ_CHECK(net.NowMicroseconds() <= interfaces * 1040 * kMs + failedBefore * 10 * kMs);
  if (exchange == NONE) {
    ResetDiscoveryState();
    return 0;
  }

  if (DeviceList.count == 0) {
    const std::uint8_t identity[IDENTITY_SIZE] = {1, 2, 3, 4, 5, 6, 198, 18, 0, 10};
    AppendDevice("nas", "198.18.0.10", "255.255.252.0", "198.18.0.1", identity, "0", 0);
  }
  const DeviceRecord* device = DeviceList.head;
  for (int n = pick % DeviceList.count; n > 0; n--) device = device->next;
  std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "%s", device->ipText);
  const int i = device->interfaceIndex;
  std::snprintf(LoginUserName, sizeof LoginUserName, "kemsa");
  std::snprintf(LoginPassword, sizeof LoginPassword, "kemsa");
  std::snprintf(NewIpText, sizeof NewIpText, "%s", kNewIp);
  std::snprintf(NewNetmaskText, sizeof NewNetmaskText, "255.255.252.0");
  std::snprintf(NewGatewayText, sizeof NewGatewayText, "198.18.0.1");

  const long long start = net.NowMicroseconds();
  const int waitsBefore = net.CountOf(Kind::WaitReadable);
  int scripted = net.PendingCount();
  for (Scripted& s : script) {
    if (!s.afterSearch) continue;
    StampAddress(s, exchange == STATIC ? kNewIp : SelectedDeviceIp);
    Deliver(net, s, start);
    scripted++;
  }
  const Snapshot before;

  int result = 0, maxCounted = 0, drained = 0;
  switch (exchange) {
    case LOGIN:
      result = VerifyDeviceLogin();
      maxCounted = LOGIN_MAX_POLLS;
      if (result != 0) FUZZ_CHECK(OwnLoginReplyScripted(script, i, before.selected, result));
      FUZZ_CHECK(before.Unchanged());
      break;
    case SHARES:
      result = QueryShares();
      maxCounted = SHARES_MAX_POLLS;
      drained = SHARES_DRAIN_POLLS;
      FUZZ_CHECK(result == 0 || result == 1);
      if (result == 0) FUZZ_CHECK(ShareList.count == 0);
      CheckShareList();
      FUZZ_CHECK(before.Unchanged());
      break;
    case DHCP:
    case STATIC:
      result = exchange == DHCP ? SetDeviceDhcp() : SetDeviceStaticIp();
      maxCounted = CONFIG_MAX_POLLS;
      FUZZ_CHECK(result == 0 || result == 1);
      if (result == 0) {
        FUZZ_CHECK(before.Unchanged());
      } else {
        // The device is known under its new address, by the list and the selection.
        FUZZ_CHECK(FindSelectedDevice() != nullptr);
        if (exchange == STATIC) FUZZ_CHECK(std::strcmp(SelectedDeviceIp, kNewIp) == 0);
      }
      CheckDeviceList(interfaces, false);
      break;
    case NONE:
      break;
  }
  // Every poll past the counted ones took a datagram (or a failed read) off the queue.
  const int waits = net.CountOf(Kind::WaitReadable) - waitsBefore;
  FUZZ_CHECK(waits <= drained + maxCounted + scripted);
  FUZZ_CHECK(net.NowMicroseconds() - start <=
             (drained + maxCounted + scripted) * 10 * kMs + maxCounted * 100 * kMs);
  ResetDiscoveryState();
  return 0;
}
