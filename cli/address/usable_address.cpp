#include "cli/address/usable_address.h"

#include <cstdint>
#include <cstring>

#include "cli/address/address_input.h"
#include "cli/text/output.h"
#include "platform/net_diagnostics.h"
#include "proto/every_interface_search.h"

namespace {

std::uint32_t Value(const char* text) {
  int o[4] = {};
  ReadOctets(text, o);
  return static_cast<std::uint32_t>(o[0]) << 24 | o[1] << 16 | o[2] << 8 | o[3];
}

std::string Dotted(std::uint32_t a) {
  return std::to_string(a >> 24) + "." + std::to_string(a >> 16 & 0xFF) + "." + std::to_string(a >> 8 & 0xFF) + "." +
         std::to_string(a & 0xFF);
}

int Ones(std::uint32_t mask) {
  int n = 0;
  for (; mask & 0x80000000u; mask <<= 1) n++;
  return n;
}

std::string Subnet(std::uint32_t address, std::uint32_t mask) {
  return Dotted(address & mask) + "/" + std::to_string(Ones(mask));
}

// Why no host may have this address, or empty.
std::string NotAHost(const char* field, std::uint32_t a) {
  const std::uint32_t first = a >> 24;
  const std::string head = std::string(field) + " " + Dotted(a);
  if (first == 0) return head + " is in network 0 (0.0.0.0/8), which no host may use";
  if (first == 127) return head + " is a loopback address (127.0.0.0/8): no other host can reach it";
  if (first >= 224 && first <= 239) return head + " is a multicast address (224.0.0.0/4), not a host's";
  if (first >= 240) return head + " is reserved (240.0.0.0 and above), not a host's";
  return "";
}

// Why the address cannot be a host of its subnet, or empty.
std::string SubnetEdge(const char* field, std::uint32_t a, std::uint32_t mask) {
  const std::string head = std::string(field) + " " + Dotted(a) + " is the ";
  if ((a & ~mask) == 0) return head + "network address of its subnet " + Subnet(a, mask);
  if ((a | mask) == 0xFFFFFFFFu) return head + "broadcast address of its subnet " + Subnet(a, mask);
  return "";
}

std::string NetmaskProblem(std::uint32_t mask) {
  const std::string head = "netmask " + Dotted(mask);
  if (mask == 0) return head + " holds no network: give the netmask of the device's network (like 255.255.255.0)";
  if ((~mask & (~mask + 1)) != 0)
    return head + " is not contiguous: all its one bits must come first (like 255.255.255.0)";
  if (Ones(mask) > 30)
    return head + " leaves no room for both the device and a gateway (255.255.255.252 at most)";
  return "";
}

}  // namespace

std::string CheckUsableAddresses(const char* ip, const char* netmask, const char* gateway,
                                 char ipOut[ADDRESS_TEXT_SIZE], char netmaskOut[ADDRESS_TEXT_SIZE],
                                 char gatewayOut[ADDRESS_TEXT_SIZE]) {
  const char* const texts[3] = {ip, netmask, gateway};
  const char* const names[3] = {"IP address", "netmask", "gateway"};
  char* const outs[3] = {ipOut, netmaskOut, gatewayOut};
  for (int f = 0; f < 3; f++) {
    if (!ReadAddress(texts[f], outs[f]))
      return std::string("not a dotted ") + names[f] + " (four numbers from 0 to 255): '" + Echoed(texts[f]) + "'";
  }
  const std::uint32_t a = Value(ipOut), m = Value(netmaskOut), g = Value(gatewayOut);
  for (const std::string& problem : {NotAHost("IP address", a), NetmaskProblem(m), SubnetEdge("IP address", a, m),
                                     NotAHost("gateway", g)}) {
    if (!problem.empty()) return problem;
  }
  if ((g & m) != (a & m)) {
    return "gateway " + Dotted(g) + " is outside the subnet " + Subnet(a, m) + " of IP address " + Dotted(a) +
           " and netmask " + Dotted(m);
  }
  if (g == a) return "gateway " + Dotted(g) + " is the IP address itself: give the address of the router";
  return SubnetEdge("gateway", g, m);
}

std::string OutsideSubnets(const char* ip, const std::vector<platform::SystemInterface>& interfaces) {
  const platform::Ipv4 address = platform::InetAddr(ip);
  bool judged = false;
  for (const platform::SystemInterface& i : interfaces) {
    if (!i.netmask || (i.address & 0xFF) == 127) continue;  // first octet in the lowest byte
    judged = true;
    if ((address & i.netmask) == (i.address & i.netmask)) return "";
  }
  if (!judged) return "";
  return std::string(ip) + " lies outside every subnet of this PC's interfaces: afterwards this PC reaches the "
         "device's web page and shares only through a router, if at all";
}

std::string OutsideLocalSubnets(const char* ip) {
  platform::SystemInterface system[platform::MAX_SYSTEM_INTERFACES];
  const int count = platform::ListSystemInterfaces(system, platform::MAX_SYSTEM_INTERFACES);
  return OutsideSubnets(ip, std::vector<platform::SystemInterface>(system, system + count));
}

std::string AddressHolder(const char* ip, const DeviceRecord& selected, const std::vector<const DeviceRecord*>& listed) {
  for (const DeviceRecord* d : listed) {
    if (d != &selected && std::strcmp(d->ipText, ip) == 0) return "the device " + Printable(d->name);
  }
  return IsLocalAddress(ip) ? "this PC" : "";
}
