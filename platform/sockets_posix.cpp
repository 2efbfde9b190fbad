#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/system_sockets.h"

namespace platform {

namespace {

// Windows lists only connected adapters: an interface without carrier (an
// idle bridge, a container network) would cost a search and a place.
bool IsUsableIpv4(const ifaddrs* ifa) {
  return ifa->ifa_addr && ifa->ifa_addr->sa_family == AF_INET && (ifa->ifa_flags & IFF_UP) &&
         (ifa->ifa_flags & IFF_RUNNING) && !(ifa->ifa_flags & IFF_LOOPBACK);
}

Ipv4 AddressOf(const ifaddrs* ifa) {
  return reinterpret_cast<const sockaddr_in*>(ifa->ifa_addr)->sin_addr.s_addr;
}

bool SetIntOption(SocketHandle s, int level, int option, int value) {
  return setsockopt(static_cast<int>(s), level, option, &value, sizeof value) == 0;
}

bool BindTo(int fd, Ipv4 address, std::uint16_t port) {
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_port = htons(port);
  at.sin_addr.s_addr = address;
  return bind(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0;
}

// Each receive socket's group companion, by the receive socket's descriptor.
class GroupSockets {
 public:
  // Sets the companion of `s`, or forgets it when `g` is -1; one it replaces
  // is closed. False when the table is full.
  bool Set(int s, int g) {
    Entry* unused = nullptr;
    for (Entry& e : entries_) {
      if (e.s == s && e.g >= 0) {
        close(e.g);
        e.g = g;
        return true;
      }
      if (!unused && e.g < 0) unused = &e;
    }
    if (g < 0) return true;
    if (!unused) return false;
    *unused = {s, g};
    return true;
  }
  int Of(int s) const {
    for (const Entry& e : entries_) {
      if (e.s == s && e.g >= 0) return e.g;
    }
    return -1;
  }

 private:
  struct Entry {
    int s = -1, g = -1;
  };
  Entry entries_[2 * MAX_WAITED_SOCKETS];  // the command line's receive sockets and the engine's, with room
};

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
    return s < 0 ? NO_SOCKET : s;
  }

  bool SetMulticastLoop(SocketHandle s, bool on) override {
    return SetIntOption(s, IPPROTO_IP, IP_MULTICAST_LOOP, on ? 1 : 0);
  }

  bool SetReuseAddress(SocketHandle s, bool on) override {
    return SetIntOption(s, SOL_SOCKET, SO_REUSEADDR, on ? 1 : 0);
  }

  // As on Windows: the socket gets exactly the unicast datagrams for its own
  // address, also when one device holds several. A reused descriptor starts
  // without the group of the socket it once was.
  bool BindReceive(SocketHandle s, Ipv4 local, std::uint16_t port) override {
    groups_.Set(static_cast<int>(s), -1);
    return BindTo(static_cast<int>(s), local, port);
  }

  // Linux delivers no group traffic to a socket bound to a unicast address, so
  // the membership goes to a companion socket bound to the group and port,
  // which Receive reads as part of `s`. With IP_MULTICAST_ALL off it hears the
  // group only on the interface it joined, like the Windows socket; unlike a
  // socket tied to a device, it needs no privilege.
  bool JoinGroup(SocketHandle s, Ipv4 group, Ipv4 local) override {
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (getsockname(static_cast<int>(s), reinterpret_cast<sockaddr*>(&bound), &length) != 0 ||
        bound.sin_port == 0) {
      return false;
    }
    const int g = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (g < 0) return false;
    ip_mreq request{};
    request.imr_multiaddr.s_addr = group;
    request.imr_interface.s_addr = local;
    if (!SetIntOption(g, SOL_SOCKET, SO_REUSEADDR, 1) ||
        !SetIntOption(g, IPPROTO_IP, IP_MULTICAST_ALL, 0) ||
        !BindTo(g, group, ntohs(bound.sin_port)) ||
        setsockopt(g, IPPROTO_IP, IP_ADD_MEMBERSHIP, &request, sizeof request) != 0 ||
        !groups_.Set(static_cast<int>(s), g)) {
      close(g);
      return false;
    }
    return true;
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
    return Readable(static_cast<int>(s), timeoutMicroseconds);
  }

  // Each socket with its group companion, in one poll().
  int WaitAnyReadable(const SocketHandle* sockets, int count, int timeoutMicroseconds,
                      bool* ready) override {
    if (count > MAX_WAITED_SOCKETS) count = MAX_WAITED_SOCKETS;
    pollfd watched[2 * MAX_WAITED_SOCKETS];
    for (int k = 0; k < count; k++) {
      const int fd = static_cast<int>(sockets[k]);
      ready[k] = false;
      watched[2 * k] = {fd, POLLIN, 0};
      watched[2 * k + 1] = {fd < 0 ? -1 : groups_.Of(fd), POLLIN, 0};
    }
    if (poll(watched, static_cast<nfds_t>(2 * count), (timeoutMicroseconds + 999) / 1000) <= 0) return 0;
    int n = 0;
    for (int k = 0; k < count; k++) {
      // A pending error counts too: the read that fails on it clears it.
      ready[k] = (watched[2 * k].revents | watched[2 * k + 1].revents) & (POLLIN | POLLERR);
      n += ready[k];
    }
    return n;
  }

  // The unicast socket first; its group companion when only that has a datagram.
  // Never waits: Linux may drop a datagram with a bad checksum after poll()
  // reported it, and a blocking read would then wait for the next one.
  int Receive(SocketHandle s, std::uint8_t* buffer, int capacity) override {
    int fd = static_cast<int>(s);
    const int g = groups_.Of(fd);
    if (g >= 0 && !Readable(fd, 0, false)) fd = g;
    const ssize_t n =
        recvfrom(fd, buffer, static_cast<size_t>(capacity), MSG_DONTWAIT, nullptr, nullptr);
    return n < 0 ? -1 : static_cast<int>(n);
  }

  void SleepMs(unsigned milliseconds) override {
    timespec pause{static_cast<time_t>(milliseconds / 1000),
                   static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&pause, &pause) != 0) {
    }
  }

  long long MonotonicMicroseconds() override {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
  }

 private:
  // Whether `fd`, or with `withGroup` its group companion, has a datagram
  // within the time-out.
  bool Readable(int fd, int timeoutMicroseconds, bool withGroup = true) const {
    if (fd < 0) return false;
    pollfd watched[2] = {{fd, POLLIN, 0}, {withGroup ? groups_.Of(fd) : -1, POLLIN, 0}};
    // poll() counts in milliseconds; 10 ms waits stay exact.
    return poll(watched, 2, (timeoutMicroseconds + 999) / 1000) > 0;
  }

  GroupSockets groups_;
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
