#include "proto/every_interface_search.h"

#include <cstring>

#include "proto/device_lists.h"
#include "proto/discovery_startup.h"
#include "proto/exchanges.h"
#include "proto/interface_io.h"
#include "proto/text_copy.h"
#include "proto/uncounted_run.h"
#include "proto/wire.h"

namespace {

constexpr unsigned SEARCH_ROUND_SLOT_MS = POLL_WAIT_MICROSECONDS / 1000 + SEARCH_POLL_PAUSE_MS;

// One round: every interface polled once. An interface whose read failed is
// polled again at once (uncounted) until the round outlasts its slot.
void ReadRound(const SearchInterfaceTable& table, const std::uint8_t clientId[CLIENT_ID_SIZE], int matchCode1,
               int matchCode2, std::uint8_t* reply) {
  platform::SocketService& net = platform::Sockets();
  platform::SocketHandle waited[SEARCH_MAX_ADDRESSES];
  int index[SEARCH_MAX_ADDRESSES];
  bool ready[SEARCH_MAX_ADDRESSES];
  int open = 0;
  for (int i = 0; i < table.count && i < SEARCH_MAX_ADDRESSES; i++) {
    waited[open] = table.receiveSockets[i];
    index[open++] = i;
  }
  UncountedRun run(SEARCH_ROUND_SLOT_MS);
  while (open > 0 && net.WaitAnyReadable(waited, open, POLL_WAIT_MICROSECONDS, ready) > 0) {
    int again = 0;
    for (int k = 0; k < open; k++) {
      if (!ready[k]) continue;
      const int size = ReceiveDatagram(waited[k], reply);
      if (size == POLL_FAILED && !run.Outlasted()) {
        waited[again] = waited[k];
        index[again++] = index[k];
      } else if (size >= 0 && SearchReplyMatches(reply, size, clientId, matchCode1, matchCode2)) {
        DecodeSearchReply(reply, size, index[k]);
      }
    }
    open = again;
  }
}

}  // namespace

SearchInterfaceTable CommandLineInterfaces;

int SearchedInterfaceCount() {
  return CommandLineInterfaces.count > 0 ? CommandLineInterfaces.count : LocalInterfaceTable.count;
}

const char* SearchedInterfaceAddress(int index) {
  if (index < 0 || index >= SearchedInterfaceCount()) return "";
  return CommandLineInterfaces.count > 0 ? CommandLineInterfaces.address[index] : LocalInterfaceTable.address[index];
}

int SearchedInterfaceOf(platform::SocketHandle s) {
  if (CommandLineInterfaces.count > 0) {
    for (int i = 0; i < CommandLineInterfaces.count; i++)
      if (CommandLineInterfaces.receiveSockets[i] == s) return i;
    return -1;
  }
  for (int i = 0; i < LocalInterfaceTable.count && i < MAX_INTERFACES; i++)
    if (ReceiveSockets[i] == s) return i;
  return -1;
}

bool IsLocalAddress(const char* ip) {
  for (int i = 0; i < CommandLineInterfaces.count; i++)
    if (std::strcmp(CommandLineInterfaces.address[i], ip) == 0) return true;
  for (int i = 0; i < LocalInterfaceTable.count && i < MAX_INTERFACES; i++)
    if (std::strcmp(LocalInterfaceTable.address[i], ip) == 0) return true;
  return false;
}

void OpenSearchInterfaces(SearchInterfaceTable& table, StartupNote note) {
  platform::SocketService& net = platform::Sockets();
  table = SearchInterfaceTable{};
  platform::Ipv4 addresses[SEARCH_MAX_ADDRESSES];
  int found = net.HostAddresses(addresses, SEARCH_MAX_ADDRESSES);
  if (found < 0) found = 0;
  if (found > SEARCH_MAX_ADDRESSES) found = SEARCH_MAX_ADDRESSES;
  for (int i = 0; i < found; i++) {
    char text[ADDRESS_TEXT_SIZE];
    platform::InetNtoa(addresses[i], text);
    CopyText(table.address[i], ADDRESS_TEXT_SIZE, text);
  }
  table.count = found;
  // All send sockets before the first receive socket, as the window opens them.
  for (int i = 0; i < found; i++) table.sendSockets[i] = OpenSendSocket(i, note);
  for (int i = 0; i < found; i++) table.receiveSockets[i] = OpenReceiveSocket(i, addresses[i], note);
}

void SearchEveryInterface(const SearchInterfaceTable& table, const std::uint8_t clientId[CLIENT_ID_SIZE],
                          int matchCode1, int matchCode2) {
  // Static, so that no search allocates or holds 8 kB of stack.
  static std::uint8_t request[DATAGRAM_SIZE];
  static std::uint8_t reply[RECEIVE_BUFFER_SIZE];
  ClearDeviceList();
  if (table.count == 0) return;  // as the window's: nothing to send, nothing to wait for
  const int length = EncodeSearchRequest(clientId, request, sizeof request);
  platform::SocketService& net = platform::Sockets();
  for (int pass = 0; pass < 2; pass++) {
    for (int i = 0; i < table.count && i < SEARCH_MAX_ADDRESSES; i++) {
      SteerMulticast(table.sendSockets[i], platform::InetAddr(table.address[i]));
      SendToGroup(table.sendSockets[i], request, length);
    }
    net.SleepMs(SEARCH_SEND_PAUSE_MS);
  }
  for (int round = 0; round < SEARCH_POLLS_PER_INTERFACE; round++) {
    ReadRound(table, clientId, matchCode1, matchCode2, reply);
    if (round + 1 < SEARCH_POLLS_PER_INTERFACE) net.SleepMs(SEARCH_POLL_PAUSE_MS);
  }
}
