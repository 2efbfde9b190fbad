#include "proto/discovery_startup.h"

#include <cstdlib>

#include "proto/engine_tally.h"
#include "proto/local_interfaces.h"

void DiscoveryStartup() {
  platform::SocketService& net = platform::Sockets();
  if (!net.StartLibrary()) std::exit(1);
  BuildLocalInterfaceTable();

  // Failures below are noted for diagnostics only: an interface whose sockets
  // did not open simply gets no replies and its exchanges end by their time-out.
  const int count = LocalInterfaceTable.count;
  for (int i = 0; i < count; i++) {
    SendSockets[i] = net.OpenUdp();
    NoteStartupStep(i, STEP_SEND_OPEN, SendSockets[i] != platform::NO_SOCKET);
    NoteStartupStep(i, STEP_SEND_LOOP, net.SetMulticastLoop(SendSockets[i], false));
  }
  const platform::Ipv4 group = platform::InetAddr(DISCOVERY_GROUP);
  for (int i = 0; i < count; i++) {
    const platform::Ipv4 local = platform::InetAddr(LocalInterfaceTable.address[i]);
    ReceiveSockets[i] = net.OpenUdp();
    NoteStartupStep(i, STEP_RECEIVE_OPEN, ReceiveSockets[i] != platform::NO_SOCKET);
    NoteStartupStep(i, STEP_REUSE_ADDRESS, net.SetReuseAddress(ReceiveSockets[i], true));
    NoteStartupStep(i, STEP_BIND, net.BindReceive(ReceiveSockets[i], local, DISCOVERY_PORT));
    NoteStartupStep(i, STEP_JOIN_GROUP, net.JoinGroup(ReceiveSockets[i], group, local));
    NoteStartupStep(i, STEP_RECEIVE_LOOP, net.SetMulticastLoop(ReceiveSockets[i], false));
  }
}
