#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <cstring>

#include "platform/system_sockets.h"

namespace platform {

namespace {

SOCKET AsSocket(SocketHandle s) { return static_cast<SOCKET>(s); }

// Windows takes the boolean options as a single byte.
bool SetByteOption(SocketHandle s, int level, int option, bool on) {
  const char value = on ? 1 : 0;
  return setsockopt(AsSocket(s), level, option, &value, 1) == 0;
}

class WinsockSockets : public SocketService {
 public:
  bool StartLibrary() override {
    WSADATA data;
    return WSAStartup(MAKEWORD(1, 1), &data) == 0;
  }

  int HostAddresses(Ipv4* out, int max) override {
    char name[128] = {};
    if (gethostname(name, sizeof name - 1) != 0) return 0;
    const hostent* host = gethostbyname(name);
    if (!host || host->h_addrtype != AF_INET || host->h_length != 4) return 0;
    int n = 0;
    for (char** entry = host->h_addr_list; *entry && n < max; entry++) {
      in_addr address;
      std::memcpy(&address, *entry, sizeof address);
      out[n++] = address.s_addr;
    }
    return n;
  }

  SocketHandle OpenUdp() override {
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    return s == INVALID_SOCKET ? NO_SOCKET : static_cast<SocketHandle>(s);
  }

  bool SetMulticastLoop(SocketHandle s, bool on) override {
    return SetByteOption(s, IPPROTO_IP, IP_MULTICAST_LOOP, on);
  }

  bool SetReuseAddress(SocketHandle s, bool on) override {
    return SetByteOption(s, SOL_SOCKET, SO_REUSEADDR, on);
  }

  // Windows delivers group traffic to a socket bound to the interface address.
  // The receive socket does not block, so a read after select() that finds
  // nothing after all fails at once instead of waiting for the next datagram.
  bool BindReceive(SocketHandle s, Ipv4 local, std::uint16_t port) override {
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = local;
    u_long nonBlocking = 1;
    return bind(AsSocket(s), reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0 &&
           ioctlsocket(AsSocket(s), FIONBIO, &nonBlocking) == 0;
  }

  bool JoinGroup(SocketHandle s, Ipv4 group, Ipv4 local) override {
    ip_mreq request = {};
    request.imr_multiaddr.s_addr = group;
    request.imr_interface.s_addr = local;
    return setsockopt(AsSocket(s), IPPROTO_IP, IP_ADD_MEMBERSHIP,
                      reinterpret_cast<const char*>(&request), sizeof request) == 0;
  }

  bool SetMulticastInterface(SocketHandle s, Ipv4 local) override {
    in_addr address = {};
    address.s_addr = local;
    return setsockopt(AsSocket(s), IPPROTO_IP, IP_MULTICAST_IF,
                      reinterpret_cast<const char*>(&address), sizeof address) == 0;
  }

  int SendTo(SocketHandle s, const std::uint8_t* data, int size, Ipv4 to,
             std::uint16_t port) override {
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = to;
    return sendto(AsSocket(s), reinterpret_cast<const char*>(data), size, 0,
                  reinterpret_cast<const sockaddr*>(&at), sizeof at);
  }

  bool WaitReadable(SocketHandle s, int timeoutMicroseconds) override {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(AsSocket(s), &readable);
    timeval wait = {0, timeoutMicroseconds};
    return select(0, &readable, nullptr, nullptr, &wait) > 0;
  }

  // The sockets that select() leaves in the set are the readable ones; reading
  // the set itself rather than through FD_ISSET keeps the program's imports.
  int WaitAnyReadable(const SocketHandle* sockets, int count, int timeoutMicroseconds,
                      bool* ready) override {
    fd_set readable;
    FD_ZERO(&readable);
    for (int k = 0; k < count; k++) {
      ready[k] = false;
      if (sockets[k] != NO_SOCKET && readable.fd_count < FD_SETSIZE) {
        readable.fd_array[readable.fd_count++] = AsSocket(sockets[k]);
      }
    }
    // select() with no socket at all fails at once instead of waiting.
    if (readable.fd_count == 0) {
      Sleep(static_cast<DWORD>((timeoutMicroseconds + 999) / 1000));
      return 0;
    }
    timeval wait = {timeoutMicroseconds / 1000000, timeoutMicroseconds % 1000000};
    if (select(0, &readable, nullptr, nullptr, &wait) <= 0) return 0;
    int n = 0;
    for (int k = 0; k < count; k++) {
      for (u_int r = 0; r < readable.fd_count && !ready[k]; r++) {
        ready[k] = sockets[k] != NO_SOCKET && readable.fd_array[r] == AsSocket(sockets[k]);
      }
      n += ready[k];
    }
    return n;
  }

  int Receive(SocketHandle s, std::uint8_t* buffer, int capacity) override {
    const int n = recvfrom(AsSocket(s), reinterpret_cast<char*>(buffer), capacity, 0, nullptr,
                           nullptr);
    return n == SOCKET_ERROR ? -1 : n;
  }

  void SleepMs(unsigned milliseconds) override { Sleep(milliseconds); }

  // The performance counter rather than the tick count, whose 16 ms steps are
  // coarse against a 30 ms slot.
  long long MonotonicMicroseconds() override {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return now.QuadPart / frequency.QuadPart * 1000000 +
           now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
  }
};

}  // namespace

SocketService& SystemSockets() {
  static WinsockSockets service;
  return service;
}

Ipv4 InetAddr(const char* dotted) { return inet_addr(dotted); }

void InetNtoa(Ipv4 address, char out[16]) {
  in_addr a = {};
  a.s_addr = address;
  const char* text = inet_ntoa(a);
  std::snprintf(out, 16, "%s", text ? text : "");
}

}  // namespace platform
