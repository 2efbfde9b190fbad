#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/system_sockets.h"

namespace platform {

namespace {

bool IsUsableIpv4(const ifaddrs* ifa) {
  return ifa->ifa_addr && ifa->ifa_addr->sa_family == AF_INET && (ifa->ifa_flags & IFF_UP) &&
         !(ifa->ifa_flags & IFF_LOOPBACK);
}

Ipv4 AddressOf(const ifaddrs* ifa) {
  return reinterpret_cast<const sockaddr_in*>(ifa->ifa_addr)->sin_addr.s_addr;
}

// Name of the device holding `local` (loopback included), into `name`.
bool DeviceOfAddress(Ipv4 local, char name[IFNAMSIZ]) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  bool found = false;
  for (const ifaddrs* ifa = list; ifa && !found; ifa = ifa->ifa_next) {
    if (ifa->ifa_addr && ifa->ifa_addr->sa_family == AF_INET && AddressOf(ifa) == local) {
      std::snprintf(name, IFNAMSIZ, "%s", ifa->ifa_name);
      found = true;
    }
  }
  freeifaddrs(list);
  return found;
}

bool SetIntOption(SocketHandle s, int level, int option, int value) {
  return setsockopt(static_cast<int>(s), level, option, &value, sizeof value) == 0;
}

class PosixSockets : public SocketService {
 public:
  bool StartLibrary() override { return true; }

  // What Windows' own host-name lookup yields: the addresses of the up,
  // non-loopback interfaces, in interface order.
  int HostAddresses(Ipv4* out, int max) override {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return 0;
    int n = 0;
    for (const ifaddrs* ifa = list; ifa && n < max; ifa = ifa->ifa_next) {
      if (IsUsableIpv4(ifa)) out[n++] = AddressOf(ifa);
    }
    freeifaddrs(list);
    return n;
  }

  SocketHandle OpenUdp() override {
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    return s < 0 ? kNoSocket : s;
  }

  bool SetMulticastLoop(SocketHandle s, bool on) override {
    return SetIntOption(s, IPPROTO_IP, IP_MULTICAST_LOOP, on ? 1 : 0);
  }

  bool SetReuseAddress(SocketHandle s, bool on) override {
    return SetIntOption(s, SOL_SOCKET, SO_REUSEADDR, on ? 1 : 0);
  }

  // Linux delivers no group traffic to a socket bound to a unicast address.
  // So the socket binds the wildcard address and is tied to the device that
  // holds `local`: it then gets both the group and the unicast datagrams that
  // arrive there, and, with IP_MULTICAST_ALL off, only the groups it joined.
  bool BindReceive(SocketHandle s, Ipv4 local, std::uint16_t port) override {
    char device[IFNAMSIZ];
    if (!DeviceOfAddress(local, device)) return false;
    const int fd = static_cast<int>(s);
    if (setsockopt(fd, SOL_SOCKET, SO_BINDTODEVICE, device,
                   static_cast<socklen_t>(std::strlen(device) + 1)) != 0) {
      return false;
    }
    SetIntOption(s, IPPROTO_IP, IP_MULTICAST_ALL, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl(INADDR_ANY);
    return bind(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0;
  }

  bool JoinGroup(SocketHandle s, Ipv4 group, Ipv4 local) override {
    ip_mreq request{};
    request.imr_multiaddr.s_addr = group;
    request.imr_interface.s_addr = local;
    return setsockopt(static_cast<int>(s), IPPROTO_IP, IP_ADD_MEMBERSHIP, &request,
                      sizeof request) == 0;
  }

  bool SetMulticastInterface(SocketHandle s, Ipv4 local) override {
    in_addr address{};
    address.s_addr = local;
    return setsockopt(static_cast<int>(s), IPPROTO_IP, IP_MULTICAST_IF, &address,
                      sizeof address) == 0;
  }

  int SendTo(SocketHandle s, const std::uint8_t* data, int size, Ipv4 to,
             std::uint16_t port) override {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = to;
    return static_cast<int>(sendto(static_cast<int>(s), data, static_cast<size_t>(size), 0,
                                   reinterpret_cast<const sockaddr*>(&at), sizeof at));
  }

  bool WaitReadable(SocketHandle s, int timeoutMicroseconds) override {
    const int fd = static_cast<int>(s);
    if (fd < 0 || fd >= FD_SETSIZE) return false;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    timeval wait{0, timeoutMicroseconds};
    return select(fd + 1, &readable, nullptr, nullptr, &wait) > 0;
  }

  int Receive(SocketHandle s, std::uint8_t* buffer, int capacity) override {
    const ssize_t n = recvfrom(static_cast<int>(s), buffer, static_cast<size_t>(capacity), 0,
                               nullptr, nullptr);
    return n < 0 ? -1 : static_cast<int>(n);
  }

  void SleepMs(unsigned milliseconds) override {
    timespec pause{static_cast<time_t>(milliseconds / 1000),
                   static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&pause, &pause) != 0) {
    }
  }
};

}  // namespace

SocketService& SystemSockets() {
  static PosixSockets service;
  return service;
}

Ipv4 InetAddr(const char* dotted) { return inet_addr(dotted); }

void InetNtoa(Ipv4 address, char out[16]) {
  in_addr a{};
  a.s_addr = address;
  std::snprintf(out, 16, "%s", inet_ntoa(a));
}

}  // namespace platform
