#include "proto/interface_io.h"

#include "proto/local_interfaces.h"

int PollInterface(int interfaceIndex, std::uint8_t* buffer) {
  const platform::SocketHandle s = ReceiveSockets[interfaceIndex];
  if (!platform::Sockets().WaitReadable(s, POLL_WAIT_MICROSECONDS)) return POLL_NOTHING;
  return ReceiveDatagram(s, buffer);
}

int ReceiveDatagram(platform::SocketHandle s, std::uint8_t* buffer) {
  int size = platform::Sockets().Receive(s, buffer, DATAGRAM_SIZE);
  if (size < 0) return POLL_FAILED;
  if (size > DATAGRAM_SIZE) size = DATAGRAM_SIZE;
  buffer[size] = 0;  // a text running to the end of the datagram ends here
  return size;
}

bool SteerMulticast(platform::SocketHandle s, platform::Ipv4 local) {
  return platform::Sockets().SetMulticastInterface(s, local);
}

bool SendToGroup(platform::SocketHandle s, const std::uint8_t* request, int size) {
  return platform::Sockets().SendTo(s, request, size, platform::InetAddr(DISCOVERY_GROUP), DISCOVERY_PORT) >= 0;
}
