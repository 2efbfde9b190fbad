#include "proto/local_interfaces.h"

#include <cstdlib>
#include <ctime>

#include "proto/engine_tally.h"
#include "proto/text_copy.h"

LocalInterfaces LocalInterfaceTable;
platform::SocketHandle SendSockets[MAX_INTERFACES];
platform::SocketHandle ReceiveSockets[MAX_INTERFACES];
std::uint8_t ClientId[CLIENT_ID_SIZE];

void BuildLocalInterfaceTable() {
  platform::Ipv4 addresses[MAX_INTERFACES];
  int found = platform::Sockets().HostAddresses(addresses, MAX_INTERFACES);
  if (found < 0) found = 0;
  if (found > MAX_INTERFACES) found = MAX_INTERFACES;

  LocalInterfaceTable = LocalInterfaces{};
  for (int i = 0; i < found; i++) {
    char text[ADDRESS_TEXT_SIZE];
    platform::InetNtoa(addresses[i], text);
    CopyText(LocalInterfaceTable.address[i], ADDRESS_TEXT_SIZE, text);
    LocalInterfaceTable.count++;
  }

  // Two copies started in the same second share an identifier; the protocol
  // only needs it to differ between PCs' runs most of the time.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  for (int i = 0; i < 6; i++) ClientId[i] = static_cast<std::uint8_t>(std::rand() & 0xFF);
  for (int i = 6; i < CLIENT_ID_SIZE; i++) ClientId[i] = 0;
}

void DiscoveryStartup() {
  platform::SocketService& net = platform::Sockets();
  if (!net.StartLibrary()) std::exit(1);
  BuildLocalInterfaceTable();

  // Failures below are noted for diagnostics only: an interface whose sockets
  // did not open simply gets no replies and its exchanges end by their time-out.
  const int count = LocalInterfaceTable.count;
  for (int i = 0; i < count; i++) {
    SendSockets[i] = net.OpenUdp();
    NoteStartupStep(i, STEP_SEND_OPEN, SendSockets[i] != platform::kNoSocket);
    NoteStartupStep(i, STEP_SEND_LOOP, net.SetMulticastLoop(SendSockets[i], false));
  }
  const platform::Ipv4 group = platform::InetAddr(DISCOVERY_GROUP);
  for (int i = 0; i < count; i++) {
    const platform::Ipv4 local = platform::InetAddr(LocalInterfaceTable.address[i]);
    ReceiveSockets[i] = net.OpenUdp();
    NoteStartupStep(i, STEP_RECEIVE_OPEN, ReceiveSockets[i] != platform::kNoSocket);
    NoteStartupStep(i, STEP_REUSE_ADDRESS, net.SetReuseAddress(ReceiveSockets[i], true));
    NoteStartupStep(i, STEP_BIND, net.BindReceive(ReceiveSockets[i], local, DISCOVERY_PORT));
    NoteStartupStep(i, STEP_JOIN_GROUP, net.JoinGroup(ReceiveSockets[i], group, local));
    NoteStartupStep(i, STEP_RECEIVE_LOOP, net.SetMulticastLoop(ReceiveSockets[i], false));
  }
}
