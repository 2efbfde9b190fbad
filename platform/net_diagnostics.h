// What the command line's diagnostics ask of the system beyond the engine's
// sockets: the PC's IPv4 interfaces with their netmasks and names, and the
// socket error codes with their texts. The window program never calls these,
// so its imports stay as they are.
#pragma once

#include "platform/sockets.h"

namespace platform {

inline constexpr int INTERFACE_NAME_SIZE = 64;
// Every address the command line's search can watch at once, and loopback
// beside them.
inline constexpr int MAX_SYSTEM_INTERFACES = MAX_WAITED_SOCKETS + 1;

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
// True when the system refused a bind for want of permission (Windows: a port
// it reserves, security software, or an exclusive holder).
bool IsBindDenied(int code);
// What the system does with a datagram longer than the buffer a read offers:
// true when the read fails, false when it returns the datagram cut short.
bool LongDatagramFailsRead();

inline constexpr int PROGRAM_NAME_SIZE = 64;

// Another process's socket bound to a UDP port.
struct PortSharer {
  unsigned long pid;                // 0 when the system does not say
  char program[PROGRAM_NAME_SIZE];  // UTF-8; empty when the system does not say
};

// The other processes with a UDP socket bound to `port` on any address,
// each once (those the system names no owner of: one entry, pid 0); this
// process's own sockets are left out. Writes at most `max`, returns how many.
int ListPortSharers(std::uint16_t port, PortSharer* out, int max);

}  // namespace platform
