#include "proto/exchanges.h"

#include <cstring>

#include "proto/engine_tally.h"
#include "proto/interface_io.h"
#include "proto/text_copy.h"
#include "proto/uncounted_run.h"

char SelectedDeviceIp[ADDRESS_TEXT_SIZE];
char LoginUserName[LOGIN_TEXT_SIZE];
char LoginPassword[LOGIN_TEXT_SIZE];
char NewIpText[ADDRESS_TEXT_SIZE];
char NewNetmaskText[ADDRESS_TEXT_SIZE];
char NewGatewayText[ADDRESS_TEXT_SIZE];

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

bool ReplyFrom(const std::uint8_t* reply, int size, const char* expectedIp) {
  char address[ADDRESS_TEXT_SIZE];
  return ReplyAddressText(reply, size, address) &&
         std::strncmp(address, expectedIp, ADDRESS_TEXT_SIZE) == 0;
}

// Polls for an own OP_QUERY_REPLY from SelectedDeviceIp of at least `minSize`
// bytes; its size, or -1 after maxCountedPolls counted polls without it.
int AwaitQueryReply(int i, std::uint8_t* reply, int minSize, int maxCountedPolls) {
  int counted = 0;
  UncountedRun run(REPLY_POLL_SLOT_MS);
  for (;;) {
    const int size = PollInterface(i, reply);
    // An empty datagram reads as opcode 0 from the stored terminator.
    if (size == POLL_FAILED || (size >= 0 && reply[0] != OP_QUERY_REPLY)) {
      if (!run.Outlasted()) continue;
    } else if (size >= minSize && IsOwnReply(reply, size) &&
               ReplyFrom(reply, size, SelectedDeviceIp)) {
      return size;
    }
    if (++counted >= maxCountedPolls) return -1;
    platform::Sockets().SleepMs(REPLY_POLL_PAUSE_MS);
    run.Restart();
  }
}

// Polls for an own OP_CONFIG_REPLY, from `expectedIp` unless it is null.
int AwaitConfigReply(int i, std::uint8_t* reply, const char* expectedIp) {
  int counted = 0;
  UncountedRun run(REPLY_POLL_SLOT_MS);
  for (;;) {
    const int size = PollInterface(i, reply);
    if (size == POLL_FAILED || (size >= 0 && reply[0] != OP_CONFIG_REPLY)) {
      if (!run.Outlasted()) continue;
    } else if (size >= REPLY_HEAD_SIZE && IsOwnReply(reply, size) &&
               (!expectedIp || ReplyFrom(reply, size, expectedIp))) {
      return size;
    }
    if (++counted >= CONFIG_MAX_POLLS) return -1;
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

int VerifyDeviceLogin() {
  const int i = SelectedInterface(FindSelectedDevice());
  if (i < 0) return 0;
  ExchangeBuffers& b = Zeroed(loginBuffers);
  const int length = BuildLoginRequest(b.request);
  SendThroughInterface(i, b.request, length);
  if (AwaitQueryReply(i, b.reply, LOGIN_REPLY_MIN_SIZE, LOGIN_MAX_POLLS) < 0) return 0;
  return static_cast<std::int8_t>(b.reply[QUERY_RESULT_OFFSET]);
}

int QueryShares() {
  const int i = SelectedInterface(FindSelectedDevice());
  ClearShareList();
  if (i < 0) return 0;
  ExchangeBuffers& b = Zeroed(sharesBuffers);
  // Late answers to an earlier query would otherwise be taken for this one.
  for (int n = 0; n < SHARES_DRAIN_POLLS; n++) PollInterface(i, b.reply);
  const int length = BuildShareListRequest(b.request);
  SendThroughInterface(i, b.request, length);
  const int size = AwaitQueryReply(i, b.reply, SHARE_REPLY_MIN_SIZE, SHARES_MAX_POLLS);
  if (size < 0) return 0;
  DecodeShareList(b.reply, size);
  return 1;
}

int SetDeviceDhcp() {
  const int i = SelectedInterface(FindSelectedDevice());
  if (i < 0) return 0;
  ExchangeBuffers& b = Zeroed(dhcpBuffers);
  const int length = BuildDhcpRequest(b.request);
  SendThroughInterface(i, b.request, length);
  const int size = AwaitConfigReply(i, b.reply, nullptr);
  if (size < 0) return 0;

  char newIp[ADDRESS_TEXT_SIZE];
  ReplyAddressText(b.reply, size, newIp);
  if (DeviceRecord* device = FindSelectedDevice()) {
    CopyText(device->ipText, sizeof device->ipText, newIp);
    SetIdentityAddress(device, b.reply + REPLY_ADDRESS_OFFSET);
  }
  CopyText(SelectedDeviceIp, sizeof SelectedDeviceIp, newIp);
  return 1;
}

int SetDeviceStaticIp() {
  const int i = SelectedInterface(FindSelectedDevice());
  if (i < 0) return 0;
  ExchangeBuffers& b = Zeroed(staticBuffers);
  const int length = BuildStaticIpRequest(b.request);
  SendThroughInterface(i, b.request, length);
  if (AwaitConfigReply(i, b.reply, NewIpText) < 0) return 0;

  if (DeviceRecord* device = FindSelectedDevice()) {
    CopyText(device->ipText, sizeof device->ipText, NewIpText);
    CopyText(device->netmaskText, sizeof device->netmaskText, NewNetmaskText);
    CopyText(device->gatewayText, sizeof device->gatewayText, NewGatewayText);
    const platform::Ipv4 address = platform::InetAddr(NewIpText);
    SetIdentityAddress(device, &address);
  }
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
