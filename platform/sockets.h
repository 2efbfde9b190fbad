// The socket library, host addresses, UDP sockets with their multicast options
// and sleeping, as the discovery engine uses them. The engine calls nothing of
// the operating system's network API directly, so a test can put a double with
// a virtual clock in its place.
#pragma once

#include <cstdint>

namespace platform {

// SOCKET on Windows, a file descriptor elsewhere.
using SocketHandle = std::intptr_t;
inline constexpr SocketHandle NO_SOCKET = -1;

// IPv4 address as inet_addr gives it: the first octet in the lowest-addressed byte.
using Ipv4 = std::uint32_t;

// The most sockets one WaitAnyReadable watches: Winsock's fd_set holds 64.
inline constexpr int MAX_WAITED_SOCKETS = 64;

class SocketService {
 public:
  virtual ~SocketService() = default;

  // WSAStartup asking for version 1.1; false when the library cannot start.
  virtual bool StartLibrary() = 0;
  // The addresses the PC's own host name resolves to, in the resolver's order;
  // writes at most `max` and returns how many (0 when the lookup fails).
  virtual int HostAddresses(Ipv4* out, int max) = 0;

  virtual SocketHandle OpenUdp() = 0;
  virtual bool SetMulticastLoop(SocketHandle s, bool on) = 0;
  virtual bool SetReuseAddress(SocketHandle s, bool on) = 0;
  // Binds the socket that receives what reaches interface `local` at `port`.
  virtual bool BindReceive(SocketHandle s, Ipv4 local, std::uint16_t port) = 0;
  virtual bool JoinGroup(SocketHandle s, Ipv4 group, Ipv4 local) = 0;
  virtual bool SetMulticastInterface(SocketHandle s, Ipv4 local) = 0;
  virtual int SendTo(SocketHandle s, const std::uint8_t* data, int size, Ipv4 to,
                     std::uint16_t port) = 0;
  // select() on this one socket: true when a datagram can be read.
  virtual bool WaitReadable(SocketHandle s, int timeoutMicroseconds) = 0;
  // select() on several sockets at once (at most MAX_WAITED_SOCKETS): sleeps
  // until one of them has a datagram or the time-out passed, and sets
  // ready[k] for each sockets[k] that has one. Returns how many have one; 0
  // after the time-out or when the wait failed.
  virtual int WaitAnyReadable(const SocketHandle* sockets, int count, int timeoutMicroseconds,
                              bool* ready) = 0;
  // recvfrom() of one datagram without waiting: its size, or -1 when the read
  // failed or found nothing to read after all.
  virtual int Receive(SocketHandle s, std::uint8_t* buffer, int capacity) = 0;
  virtual void SleepMs(unsigned milliseconds) = 0;
  // A clock that only moves forward, for timing a wait; its zero is arbitrary.
  virtual long long MonotonicMicroseconds() = 0;
  // The system's error code of the call that failed last, 0 when unknown. The
  // window program reports no socket errors, so its service gives none and
  // keeps its imports; the command line's service supplies them.
  virtual int LastError() { return 0; }
};

// The service in use: the operating system's unless a test substituted another.
SocketService& Sockets();
// Substitutes `service` (not owned); nullptr brings back the operating system's.
void UseSockets(SocketService* service);

// inet_addr and inet_ntoa of the platform, for dotted address texts.
Ipv4 InetAddr(const char* dotted);
// Writes "a.b.c.d" into `out` (16 bytes).
void InetNtoa(Ipv4 address, char out[16]);

}  // namespace platform
