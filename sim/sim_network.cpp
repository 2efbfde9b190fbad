#include "sim/sim_network.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "proto/local_interfaces.h"

namespace {

std::string Reason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

SimSocket::~SimSocket() {
  if (fd_ >= 0) close(fd_);
}

bool SimSocket::Open(std::string& error) {
  fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) {
    error = Reason("socket");
    return false;
  }
  const int on = 1, off = 0;
  const unsigned char loopOff = 0;
  setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  setsockopt(fd_, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
  // Our own group replies must not come back to us as requests.
  setsockopt(fd_, IPPROTO_IP, IP_MULTICAST_LOOP, &loopOff, sizeof loopOff);
  setsockopt(fd_, IPPROTO_IP, IP_MULTICAST_ALL, &off, sizeof off);
  const int buffer = 4 << 20;
  setsockopt(fd_, SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
  sockaddr_in any{};
  any.sin_family = AF_INET;
  any.sin_port = htons(DISCOVERY_PORT);
  any.sin_addr.s_addr = htonl(INADDR_ANY);
  if (bind(fd_, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
    error = Reason("bind 0.0.0.0:13579");
    return false;
  }
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) {
    error = Reason("getifaddrs");
    return false;
  }
  std::set<unsigned> joined;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!(i->ifa_flags & IFF_UP) || !(i->ifa_flags & IFF_MULTICAST) || (i->ifa_flags & IFF_LOOPBACK)) continue;
    const unsigned index = if_nametoindex(i->ifa_name);
    if (index == 0 || !joined.insert(index).second) continue;
    ip_mreqn group{};
    inet_pton(AF_INET, DISCOVERY_GROUP, &group.imr_multiaddr);
    group.imr_ifindex = static_cast<int>(index);
    if (setsockopt(fd_, IPPROTO_IP, IP_ADD_MEMBERSHIP, &group, sizeof group) != 0) {
      error = Reason((std::string("join ") + DISCOVERY_GROUP + " on " + i->ifa_name).c_str());
      freeifaddrs(list);
      return false;
    }
  }
  freeifaddrs(list);
  if (joined.empty()) {
    error = "no multicast interface is up";
    return false;
  }
  return true;
}

bool SimSocket::Receive(Datagram& data, sockaddr_in& from, std::uint32_t& to, int& interfaceIndex) {
  data.resize(65536);
  iovec io{data.data(), data.size()};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
  msghdr msg{};
  msg.msg_name = &from;
  msg.msg_namelen = sizeof from;
  msg.msg_iov = &io;
  msg.msg_iovlen = 1;
  msg.msg_control = control;
  msg.msg_controllen = sizeof control;
  const ssize_t n = recvmsg(fd_, &msg, MSG_DONTWAIT);
  if (n < 0) return false;
  data.resize(static_cast<std::size_t>(n));
  to = 0;
  interfaceIndex = 0;
  for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
    if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
      in_pktinfo info;
      std::memcpy(&info, CMSG_DATA(c), sizeof info);
      to = info.ipi_addr.s_addr;
      interfaceIndex = info.ipi_ifindex;
    }
  }
  return true;
}

bool SimSocket::Send(const Datagram& data, std::uint32_t source, std::uint32_t to, int interfaceIndex) {
  sockaddr_in dest{};
  dest.sin_family = AF_INET;
  dest.sin_port = htons(DISCOVERY_PORT);
  dest.sin_addr.s_addr = to;
  iovec io{const_cast<std::uint8_t*>(data.data()), data.size()};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
  msghdr msg{};
  msg.msg_name = &dest;
  msg.msg_namelen = sizeof dest;
  msg.msg_iov = &io;
  msg.msg_iovlen = 1;
  msg.msg_control = control;
  msg.msg_controllen = sizeof control;
  cmsghdr* c = CMSG_FIRSTHDR(&msg);
  c->cmsg_level = IPPROTO_IP;
  c->cmsg_type = IP_PKTINFO;
  c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
  // With the interface given, an address outside the link's routes is taken
  // as on-link: a device reachable over several links answers on each.
  in_pktinfo info{};
  info.ipi_ifindex = interfaceIndex;
  info.ipi_spec_dst.s_addr = source;
  std::memcpy(CMSG_DATA(c), &info, sizeof info);
  return sendmsg(fd_, &msg, 0) == static_cast<ssize_t>(data.size());
}

std::string DefaultInterface() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return "";
  std::string name;
  for (ifaddrs* i = list; i && name.empty(); i = i->ifa_next) {
    if ((i->ifa_flags & IFF_UP) && (i->ifa_flags & IFF_MULTICAST) && !(i->ifa_flags & IFF_LOOPBACK))
      name = i->ifa_name;
  }
  freeifaddrs(list);
  return name;
}

namespace {

// Runs ip(8) once over `batch`, one command a line: one run for any number
// of addresses keeps a thousand devices quick to start.
bool RunIpBatch(const std::string& batch, const std::string& what, std::string& error) {
  if (batch.empty()) return true;
  FILE* ip = popen("ip -force -batch -", "w");
  if (!ip) {
    error = Reason("running ip");
    return false;
  }
  std::fwrite(batch.data(), 1, batch.size(), ip);
  if (pclose(ip) != 0) {
    error = "ip could not " + what;
    return false;
  }
  return true;
}

std::string AddressCommand(const char* verb, std::uint32_t address, std::uint32_t netmask,
                           const std::string& interfaceName) {
  return std::string("address ") + verb + " " + AddressText(address) + "/" +
         std::to_string(__builtin_popcount(netmask)) + " dev " + interfaceName + "\n";
}

}  // namespace

bool AddMissingAddresses(const std::string& interfaceName,
                         const std::vector<std::pair<std::uint32_t, std::uint32_t>>& addresses,
                         std::string& error, std::vector<std::pair<std::uint32_t, std::uint32_t>>* added) {
  std::set<std::uint32_t> held;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) == 0) {
    for (ifaddrs* i = list; i; i = i->ifa_next) {
      if (i->ifa_addr && i->ifa_addr->sa_family == AF_INET)
        held.insert(reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr);
    }
    freeifaddrs(list);
  }
  std::string batch;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> adding;
  for (const auto& [address, netmask] : addresses) {
    if (!held.insert(address).second) continue;
    batch += AddressCommand("add", address, netmask, interfaceName);
    adding.emplace_back(address, netmask);
  }
  if (!RunIpBatch(batch, "add the device addresses to " + interfaceName, error)) return false;
  if (added) added->insert(added->end(), adding.begin(), adding.end());
  return true;
}

bool RemoveAddresses(const std::string& interfaceName,
                     const std::vector<std::pair<std::uint32_t, std::uint32_t>>& addresses, std::string& error) {
  std::string batch;
  for (const auto& [address, netmask] : addresses) batch += AddressCommand("del", address, netmask, interfaceName);
  return RunIpBatch(batch, "remove the moved devices' addresses from " + interfaceName, error);
}
