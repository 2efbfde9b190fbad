// The command line's host-address rule for set-static against a plain model
// of subnet arithmetic: the netmask is n leading ones (1 to 30), the subnet
// runs from its network address (host bits all zero) to its broadcast address
// (all one), and the IP address and the gateway are hosts strictly between
// the two, outside networks 0, 127, multicast (224 to 239) and reserved (240
// and above), and the gateway is not the IP address itself. A refusal is one
// line; an acceptance writes the dotted texts back.
//
// Input: IP and gateway (4 bytes each), a choice byte, a netmask (4 bytes).
// The choice's low bits give a prefix netmask (n ones) unless its top bit
// asks for the raw one; bit 6 moves the gateway into the IP address's subnet.
#include <cstdint>
#include <cstring>
#include <string>

#include "cli/address/usable_address.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

std::uint32_t Take(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

std::string Dotted(std::uint32_t a) {
  return std::to_string(a >> 24) + "." + std::to_string((a >> 16) % 256) + "." + std::to_string((a >> 8) % 256) +
         "." + std::to_string(a % 256);
}

int PrefixLength(std::uint32_t mask) {
  for (int n = 0; n <= 32; n++) {
    const std::uint64_t prefix = ((std::uint64_t{1} << n) - 1) << (32 - n);
    if (prefix == mask) return n;
  }
  return -1;
}

bool Host(std::uint32_t a, std::uint32_t mask) {
  const std::uint64_t size = std::uint64_t{1} << (32 - PrefixLength(mask));
  const std::uint64_t network = a / size * size, broadcast = network + size - 1;
  const std::uint32_t first = a >> 24;
  return a > network && a < broadcast && first != 0 && first != 127 && first < 224;
}

bool Usable(std::uint32_t ip, std::uint32_t mask, std::uint32_t gateway) {
  const int n = PrefixLength(mask);
  if (n < 1 || n > 30 || !Host(ip, mask) || !Host(gateway, mask) || gateway == ip) return false;
  const std::uint64_t size = std::uint64_t{1} << (32 - n);
  return ip / size == gateway / size;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return -1;
  const std::uint32_t ip = Take(data);
  std::uint32_t gateway = Take(data + 4);
  const std::uint8_t choice = data[8];
  std::uint32_t mask;
  if (choice & 0x80) {
    if (size < 13) return -1;
    mask = Take(data + 9);
  } else {
    const int n = (choice & 0x3F) % 33;
    mask = static_cast<std::uint32_t>(((std::uint64_t{1} << n) - 1) << (32 - n));
  }
  if (choice & 0x40) gateway = (ip & mask) | (gateway & ~mask);

  const std::string ipText = Dotted(ip), maskText = Dotted(mask), gatewayText = Dotted(gateway);
  char ipOut[ADDRESS_TEXT_SIZE] = "", maskOut[ADDRESS_TEXT_SIZE] = "", gatewayOut[ADDRESS_TEXT_SIZE] = "";
  const std::string refusal =
      CheckUsableAddresses(ipText.c_str(), maskText.c_str(), gatewayText.c_str(), ipOut, maskOut, gatewayOut);
  FUZZ_CHECK(refusal.empty() == Usable(ip, mask, gateway));
  FUZZ_CHECK(refusal.find('\n') == std::string::npos);
  if (refusal.empty()) FUZZ_CHECK(ipText == ipOut && maskText == maskOut && gatewayText == gatewayOut);
  return 0;
}
