#include "proto/discovery_startup.h"

#include <cstdlib>

#include "proto/local_interfaces.h"

void DiscoveryStartup() {
  if (!platform::Sockets().StartLibrary()) std::exit(1);
  BuildLocalInterfaceTable();

  // Failures below are noted for diagnostics only: an interface whose sockets
  // did not open simply gets no replies and its exchanges end by their time-out.
  const int count = LocalInterfaceTable.count;
  for (int i = 0; i < count; i++) SendSockets[i] = OpenSendSocket(i, NoteStartupStep);
  for (int i = 0; i < count; i++) {
    ReceiveSockets[i] = OpenReceiveSocket(i, platform::InetAddr(LocalInterfaceTable.address[i]), NoteStartupStep);
  }
}

platform::SocketHandle OpenSendSocket(int interfaceIndex, StartupNote note) {
  platform::SocketService& net = platform::Sockets();
  const platform::SocketHandle s = net.OpenUdp();
  note(interfaceIndex, STEP_SEND_OPEN, s != platform::NO_SOCKET);
  note(interfaceIndex, STEP_SEND_LOOP, net.SetMulticastLoop(s, false));
  return s;
}

platform::SocketHandle OpenReceiveSocket(int interfaceIndex, platform::Ipv4 local, StartupNote note) {
  platform::SocketService& net = platform::Sockets();
  const platform::SocketHandle s = net.OpenUdp();
  note(interfaceIndex, STEP_RECEIVE_OPEN, s != platform::NO_SOCKET);
  note(interfaceIndex, STEP_REUSE_ADDRESS, net.SetReuseAddress(s, true));
  note(interfaceIndex, STEP_BIND, net.BindReceive(s, local, DISCOVERY_PORT));
  note(interfaceIndex, STEP_JOIN_GROUP, net.JoinGroup(s, platform::InetAddr(DISCOVERY_GROUP), local));
  note(interfaceIndex, STEP_RECEIVE_LOOP, net.SetMulticastLoop(s, false));
  return s;
}
