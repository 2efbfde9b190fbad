// What the command line's diagnostics ask of the system beyond the engine's
// sockets: the PC's IPv4 interfaces with their netmasks and names, and the
// socket error codes with their texts. The window program never calls these,
// so its imports stay as they are.
#pragma once

#include "platform/sockets.h"

namespace platform {

inline constexpr int INTERFACE_NAME_SIZE = 64;

struct SystemInterface {
  Ipv4 address;
  Ipv4 netmask;  // 0 when the system gives none
  char name[INTERFACE_NAME_SIZE];
  bool up;
};

// The IPv4 addresses of the PC's interfaces (getifaddrs, GetAdaptersAddresses),
// loopback included; writes at most `max` and returns how many it wrote.
int ListSystemInterfaces(SystemInterface* out, int max);

// errno, or WSAGetLastError.
int LastSocketError();
// The system's own text for a socket error code, into `out` (`size` bytes).
void SocketErrorText(int code, char* out, int size);
// True when a bind failed because another socket holds the address and port.
bool IsPortHeld(int code);

}  // namespace platform
