#include "cli/address/usable_address.h"

#include <cstdint>
#include <cstring>

#include "cli/address/address_input.h"
#include "cli/text/output.h"
#include "proto/every_interface_search.h"
#include "shared/address_rules.h"

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
  const std::string pageRefusal = CheckStaticAddresses(ip, netmask, gateway, ipOut, netmaskOut, gatewayOut);
  // The page's subnet message says nothing of why; the reason is given below.
  if (!pageRefusal.empty() && pageRefusal != GATEWAY_SUBNET_MESSAGE) return pageRefusal;
  const std::uint32_t a = Value(ip), m = Value(netmask), g = Value(gateway);
  for (const std::string& problem : {NotAHost("IP address", a), NetmaskProblem(m), SubnetEdge("IP address", a, m),
                                     NotAHost("gateway", g)}) {
    if (!problem.empty()) return problem;
  }
  if ((g & m) != (a & m)) {
    return "gateway " + Dotted(g) + " is outside the subnet " + Subnet(a, m) + " of IP address " + Dotted(a) +
           " and netmask " + Dotted(m);
  }
  return SubnetEdge("gateway", g, m);
}

std::string AddressHolder(const char* ip, const DeviceRecord& selected, const std::vector<const DeviceRecord*>& listed) {
  for (const DeviceRecord* d : listed) {
    if (d != &selected && std::strcmp(d->ipText, ip) == 0) return "the device " + Printable(d->name);
  }
  return IsLocalAddress(ip) ? "this PC" : "";
}
