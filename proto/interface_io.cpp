#include "proto/interface_io.h"

#include "proto/local_interfaces.h"

int PollInterface(int interfaceIndex, std::uint8_t* buffer) {
  platform::SocketService& net = platform::Sockets();
  const platform::SocketHandle s = ReceiveSockets[interfaceIndex];
  if (!net.WaitReadable(s, POLL_WAIT_MICROSECONDS)) return POLL_NOTHING;
  int size = net.Receive(s, buffer, DATAGRAM_SIZE);
  if (size < 0) return POLL_FAILED;
  if (size > DATAGRAM_SIZE) size = DATAGRAM_SIZE;
  buffer[size] = 0;  // a text running to the end of the datagram ends here
  return size;
}

bool SteerMulticast(int interfaceIndex) {
  return platform::Sockets().SetMulticastInterface(SendSockets[interfaceIndex],
                                                   platform::InetAddr(LocalInterfaceTable.address[interfaceIndex]));
}

bool SendToGroup(int interfaceIndex, const std::uint8_t* request, int size) {
  return platform::Sockets().SendTo(SendSockets[interfaceIndex], request, size, platform::InetAddr(DISCOVERY_GROUP),
                                    DISCOVERY_PORT) >= 0;
}
