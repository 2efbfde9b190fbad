#include "proto/exchanges.h"

#include <cstring>

#include "proto/engine_tally.h"
#include "proto/text_copy.h"
#include "proto/uncounted_run.h"

namespace {

constexpr int LOGIN_REPLY_MIN_SIZE = QUERY_RESULT_OFFSET + 1;
constexpr int SHARE_REPLY_MIN_SIZE = QUERY_RESULT_OFFSET;  // the share text may be empty
// A counted poll's slot: its wait and the pause after it.
constexpr unsigned REPLY_POLL_SLOT_MS = POLL_WAIT_MICROSECONDS / 1000 + REPLY_POLL_PAUSE_MS;
constexpr unsigned SEARCH_POLL_SLOT_MS = POLL_WAIT_MICROSECONDS / 1000 + SEARCH_POLL_PAUSE_MS;

// One pair of buffers per exchange; static so that no wait allocates.
struct ExchangeBuffers {
  std::uint8_t request[DATAGRAM_SIZE];
  std::uint8_t reply[RECEIVE_BUFFER_SIZE];
};
ExchangeBuffers searchBuffers, loginBuffers, sharesBuffers, dhcpBuffers, staticBuffers;

ExchangeBuffers& Zeroed(ExchangeBuffers& buffers) {
  std::memset(&buffers, 0, sizeof buffers);
  return buffers;
}

// The selected device's interface index, or -1 when it has none usable.
int SelectedInterface(const DeviceRecord* device) {
  if (!device) return -1;
  const int i = device->interfaceIndex;
  return i >= 0 && i < MAX_INTERFACES ? i : -1;
}

// Sends `size` bytes to the discovery group out of interface i, recording
// each of its two steps in the tally.
void SendThroughInterface(int i, const std::uint8_t* request, int size) {
  const platform::SocketHandle s = SendSockets[i];
  NoteSendStep(i, SEND_MULTICAST_INTERFACE, SteerMulticast(s, platform::InetAddr(LocalInterfaceTable.address[i])));
  NoteSendStep(i, SEND_DATAGRAM, SendToGroup(s, request, size));
}

bool ReplyFrom(const std::uint8_t* reply, int size, const char* expectedIp) {
  char address[ADDRESS_TEXT_SIZE];
  return ReplyAddressText(reply, size, address) &&
         std::strncmp(address, expectedIp, ADDRESS_TEXT_SIZE) == 0;
}

// The reply an exchange waits for: an own one of `opcode` and at least
// `minSize` bytes, from `expectedIp` unless it is null.
struct AwaitedReply {
  std::uint8_t opcode;
  int minSize;
  const char* expectedIp;
  int maxCountedPolls;
};

// Polls interface i for the awaited reply: its size, or -1 after
// maxCountedPolls counted polls without it.
int AwaitReply(int i, std::uint8_t* reply, const AwaitedReply& awaited) {
  int counted = 0;
  UncountedRun run(REPLY_POLL_SLOT_MS);
  for (;;) {
    const int size = PollInterface(i, reply);
    // An empty datagram reads as opcode 0 from the stored terminator.
    if (size == POLL_FAILED || (size >= 0 && reply[0] != awaited.opcode)) {
      if (!run.Outlasted()) continue;
    } else if (size >= awaited.minSize && IsOwnReply(reply, size) &&
               (!awaited.expectedIp || ReplyFrom(reply, size, awaited.expectedIp))) {
      return size;
    }
    if (++counted >= awaited.maxCountedPolls) return -1;
    platform::Sockets().SleepMs(REPLY_POLL_PAUSE_MS);
    run.Restart();
  }
}

// Identity bytes 6 to 9 carry the device's address, so they follow a change.
void SetIdentityAddress(DeviceRecord* device, const void* address) {
  std::memcpy(device->identity + 6, address, 4);
}

}  // namespace

void SearchDevices(int matchCode1, int matchCode2) {
  ClearDeviceList();
  ExchangeBuffers& b = Zeroed(searchBuffers);
  const int length = BuildSearchRequest(b.request);
  platform::SocketService& net = platform::Sockets();

  for (int i = 0; i < LocalInterfaceTable.count && i < MAX_INTERFACES; i++) {
    SendThroughInterface(i, b.request, length);
    net.SleepMs(SEARCH_SEND_PAUSE_MS);
    SendThroughInterface(i, b.request, length);
    net.SleepMs(SEARCH_SEND_PAUSE_MS);

    int counted = 0;
    UncountedRun run(SEARCH_POLL_SLOT_MS);
    for (;;) {
      const int size = PollInterface(i, b.reply);
      TallySearchPoll(i, b.reply, size, matchCode1, matchCode2);
      if (size == POLL_FAILED && !run.Outlasted()) continue;
      if (size >= 0 && SearchReplyWanted(b.reply, size, matchCode1, matchCode2)) {
        DecodeSearchReply(b.reply, size, i);
      }
      if (++counted >= SEARCH_POLLS_PER_INTERFACE) break;
      net.SleepMs(SEARCH_POLL_PAUSE_MS);
      run.Restart();
    }
  }
}

int VerifyLogin(const char* deviceIp, const char* user, const char* password) {
  const DeviceRecord* device = FindDevice(deviceIp);
  const int i = SelectedInterface(device);
  if (i < 0) return 0;
  ExchangeBuffers& b = Zeroed(loginBuffers);
  const int length = BuildLoginRequest(ClientId, device->identity, user, password, b.request,
                                       sizeof b.request);
  SendThroughInterface(i, b.request, length);
  std::memset(b.request, 0, sizeof b.request);  // the credentials are kept no longer than the send
  if (AwaitReply(i, b.reply, {OP_QUERY_REPLY, LOGIN_REPLY_MIN_SIZE, deviceIp, LOGIN_MAX_POLLS}) < 0) {
    return 0;
  }
  return static_cast<std::int8_t>(b.reply[QUERY_RESULT_OFFSET]);
}

int QuerySharesOf(const char* deviceIp) {
  const DeviceRecord* device = FindDevice(deviceIp);
  const int i = SelectedInterface(device);
  ClearShareList();
  if (i < 0) return 0;
  ExchangeBuffers& b = Zeroed(sharesBuffers);
  // Late answers to an earlier query would otherwise be taken for this one.
  for (int n = 0; n < SHARES_DRAIN_POLLS; n++) PollInterface(i, b.reply);
  const int length = BuildShareListRequest(ClientId, device->identity, b.request, sizeof b.request);
  SendThroughInterface(i, b.request, length);
  const int size =
      AwaitReply(i, b.reply, {OP_QUERY_REPLY, SHARE_REPLY_MIN_SIZE, deviceIp, SHARES_MAX_POLLS});
  if (size < 0) return 0;
  DecodeShareList(b.reply, size);
  return 1;
}

int ChangeToDhcp(const char* deviceIp, char newIp[ADDRESS_TEXT_SIZE]) {
  DeviceRecord* device = FindDevice(deviceIp);
  const int i = SelectedInterface(device);
  if (i < 0) return 0;
  ExchangeBuffers& b = Zeroed(dhcpBuffers);
  const int length = BuildDhcpRequest(ClientId, device->identity, b.request, sizeof b.request);
  SendThroughInterface(i, b.request, length);
  // The device answers from the address its DHCP server gave it.
  const int size = AwaitReply(i, b.reply, {OP_CONFIG_REPLY, REPLY_HEAD_SIZE, nullptr, CONFIG_MAX_POLLS});
  if (size < 0) return 0;

  ReplyAddressText(b.reply, size, newIp);
  CopyText(device->ipText, sizeof device->ipText, newIp);
  SetIdentityAddress(device, b.reply + REPLY_ADDRESS_OFFSET);
  return 1;
}

int ChangeToStatic(const char* deviceIp, const char* ipText, const char* netmaskText,
                   const char* gatewayText) {
  DeviceRecord* device = FindDevice(deviceIp);
  const int i = SelectedInterface(device);
  if (i < 0) return 0;
  ExchangeBuffers& b = Zeroed(staticBuffers);
  const int length = BuildStaticIpRequest(ClientId, device->identity, ipText, netmaskText,
                                          gatewayText, b.request, sizeof b.request);
  SendThroughInterface(i, b.request, length);
  if (AwaitReply(i, b.reply, {OP_CONFIG_REPLY, REPLY_HEAD_SIZE, ipText, CONFIG_MAX_POLLS}) < 0) {
    return 0;
  }

  CopyText(device->ipText, sizeof device->ipText, ipText);
  CopyText(device->netmaskText, sizeof device->netmaskText, netmaskText);
  CopyText(device->gatewayText, sizeof device->gatewayText, gatewayText);
  const platform::Ipv4 address = platform::InetAddr(ipText);
  SetIdentityAddress(device, &address);
  return 1;
}

int VerifyDeviceLogin() { return VerifyLogin(SelectedDeviceIp, LoginUserName, LoginPassword); }

int QueryShares() { return QuerySharesOf(SelectedDeviceIp); }

int SetDeviceDhcp() {
  char newIp[ADDRESS_TEXT_SIZE];
  if (!ChangeToDhcp(SelectedDeviceIp, newIp)) return 0;
  CopyText(SelectedDeviceIp, sizeof SelectedDeviceIp, newIp);
  return 1;
}

int SetDeviceStaticIp() {
  if (!ChangeToStatic(SelectedDeviceIp, NewIpText, NewNetmaskText, NewGatewayText)) return 0;
  CopyText(SelectedDeviceIp, sizeof SelectedDeviceIp, NewIpText);
  return 1;
}

void ResetDiscoveryState() {
  ClearDeviceList();
  ClearShareList();
  LocalInterfaceTable = LocalInterfaces{};
  std::memset(SendSockets, 0, sizeof SendSockets);
  std::memset(ReceiveSockets, 0, sizeof ReceiveSockets);
  std::memset(EngineTally, 0, sizeof EngineTally);
  std::memset(ClientId, 0, sizeof ClientId);
  std::memset(SelectedDeviceIp, 0, sizeof SelectedDeviceIp);
  std::memset(LoginUserName, 0, sizeof LoginUserName);
  std::memset(LoginPassword, 0, sizeof LoginPassword);
  std::memset(NewIpText, 0, sizeof NewIpText);
  std::memset(NewNetmaskText, 0, sizeof NewNetmaskText);
  std::memset(NewGatewayText, 0, sizeof NewGatewayText);
}
