#include <dirent.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/net_diagnostics.h"

namespace platform {

namespace {

Ipv4 AddressIn(const sockaddr* a) {
  return a && a->sa_family == AF_INET ? reinterpret_cast<const sockaddr_in*>(a)->sin_addr.s_addr : 0;
}

constexpr int MAX_PORT_SOCKETS = 64;

// The inodes of the sockets in /proc/net/udp or udp6 (`table`) whose local
// port is `port`, added to `inodes`; returns the new count.
int SocketsOnPort(const char* table, std::uint16_t port, unsigned long* inodes, int count) {
  std::FILE* f = std::fopen(table, "r");
  if (!f) return count;
  char line[512];
  const bool headed = std::fgets(line, sizeof line, f) != nullptr;  // past the heading line
  while (headed && count < MAX_PORT_SOCKETS && std::fgets(line, sizeof line, f)) {
    // "  sl  local_address rem_address   st tx_queue:rx_queue tr:tm->when retrnsmt   uid  timeout inode"
    char local[64];
    unsigned long inode = 0;
    if (std::sscanf(line, "%*s %63s %*s %*s %*s %*s %*s %*s %*s %lu", local, &inode) != 2) continue;
    const char* colon = std::strrchr(local, ':');
    if (colon && std::strtoul(colon + 1, nullptr, 16) == port && inode != 0) inodes[count++] = inode;
  }
  std::fclose(f);
  return count;
}

// Takes the sockets that process `pid` holds out of `inodes`; returns how
// many it took. Reading another user's descriptors needs root.
int TakeSocketsOf(unsigned long pid, unsigned long* inodes, int& count) {
  char path[32];
  std::snprintf(path, sizeof path, "/proc/%lu/fd", pid);
  DIR* fds = opendir(path);
  if (!fds) return 0;
  int taken = 0;
  while (const dirent* fd = readdir(fds)) {
    char link[sizeof path + sizeof fd->d_name], target[64];
    std::snprintf(link, sizeof link, "%s/%s", path, fd->d_name);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n <= 0) continue;
    target[n] = '\0';
    unsigned long inode = 0;
    if (std::sscanf(target, "socket:[%lu]", &inode) != 1) continue;
    for (int i = 0; i < count; i++) {
      if (inodes[i] != inode) continue;
      inodes[i] = inodes[--count];
      taken++;
      break;
    }
  }
  closedir(fds);
  return taken;
}

void ProgramName(unsigned long pid, char* out, int size) {
  out[0] = '\0';
  char path[32];
  std::snprintf(path, sizeof path, "/proc/%lu/comm", pid);
  std::FILE* f = std::fopen(path, "r");
  if (!f) return;
  if (std::fgets(out, size, f)) out[std::strcspn(out, "\n")] = '\0';
  std::fclose(f);
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

bool IsBindDenied(int) { return false; }

// recvfrom without MSG_TRUNC returns the first bytes of a longer datagram and drops the rest.
bool LongDatagramFailsRead() { return false; }

int ListPortSharers(std::uint16_t port, PortSharer* out, int max) {
  unsigned long inodes[MAX_PORT_SOCKETS];
  int count = SocketsOnPort("/proc/net/udp", port, inodes, 0);
  count = SocketsOnPort("/proc/net/udp6", port, inodes, count);
  TakeSocketsOf(static_cast<unsigned long>(getpid()), inodes, count);
  int n = 0;
  DIR* proc = count > 0 ? opendir("/proc") : nullptr;
  while (proc && count > 0 && n < max) {
    const dirent* entry = readdir(proc);
    if (!entry) break;
    char* end = nullptr;
    const unsigned long pid = std::strtoul(entry->d_name, &end, 10);
    if (pid == 0 || *end != '\0' || TakeSocketsOf(pid, inodes, count) == 0) continue;
    out[n].pid = pid;
    ProgramName(pid, out[n].program, sizeof out[n].program);
    n++;
  }
  if (proc) closedir(proc);
  if (count > 0 && n < max) out[n++] = PortSharer{0, ""};
  return n;
}

}  // namespace platform
