#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/net_diagnostics.h"

namespace platform {

namespace {

Ipv4 AddressIn(const sockaddr* a) {
  return a && a->sa_family == AF_INET ? reinterpret_cast<const sockaddr_in*>(a)->sin_addr.s_addr : 0;
}

}  // namespace

int ListSystemInterfaces(SystemInterface* out, int max) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return 0;
  int n = 0;
  for (const ifaddrs* ifa = list; ifa && n < max; ifa = ifa->ifa_next) {
    if (!ifa->ifa_addr || ifa->ifa_addr->sa_family != AF_INET) continue;
    SystemInterface& s = out[n++];
    s.address = AddressIn(ifa->ifa_addr);
    s.netmask = AddressIn(ifa->ifa_netmask);
    std::snprintf(s.name, sizeof s.name, "%s", ifa->ifa_name);
    s.up = (ifa->ifa_flags & IFF_UP) != 0;
  }
  freeifaddrs(list);
  return n;
}

int LastSocketError() { return errno; }

void SocketErrorText(int code, char* out, int size) {
  std::snprintf(out, static_cast<std::size_t>(size), "%s", std::strerror(code));
}

bool IsPortHeld(int code) { return code == EADDRINUSE; }

}  // namespace platform
