#include "shared/address_rules.h"

#include <cstdio>

namespace {

const char* const ADDRESS_RULE_MESSAGES[3][4] = {
    {"Invalid IP address in 1st digit. It should be 0-255.",
     "Invalid IP address in 2nd digit. It should be 0-255.",
     "Invalid IP address in 3rd digit. It should be 0-255.",
     "Invalid IP address in 4th digit. It should be 1-254."},
    {"Invalid subnet mask address in 1st digit. It should be 0-255.",
     "Invalid subnet mask address in 2nd digit. It should be 0-255.",
     "Invalid subnet mask address in 3rd digit. It should be 0-255.",
     "Invalid subnet mask address in 4th digit. It should be 0-255."},
    {"Invalid gateway IP address in 1st digit. It should be 0-255.",
     "Invalid gateway IP address in 2nd digit. It should be 0-255.",
     "Invalid gateway IP address in 3rd digit. It should be 0-255.",
     "Invalid gateway IP address in 4th digit. It should be 1-254."},
};

bool IsKnownField(int field) { return field >= ADDRESS_IP && field <= ADDRESS_GATEWAY; }

}  // namespace

int RefusedOctet(int field, const int octets[4]) {
  if (!IsKnownField(field)) return -1;
  for (int i = 0; i < 3; i++) {
    if (octets[i] > 255) return i;  // no lower bound here: the address control never gives one
  }
  const bool hostOctet = field != ADDRESS_NETMASK;
  if (hostOctet ? (octets[3] > 254 || octets[3] < 1) : octets[3] > 255) return 3;
  return -1;
}

const char* RefusedOctetMessage(int field, int position) {
  if (!IsKnownField(field) || position < 0 || position > 3) return nullptr;
  return ADDRESS_RULE_MESSAGES[field - 1][position];
}

bool GatewayInSubnet(const int ip[4], const int netmask[4], const int gateway[4]) {
  for (int i = 0; i < 4; i++) {
    if (((gateway[i] & netmask[i]) & 0xFF) != ((ip[i] & netmask[i]) & 0xFF)) return false;
  }
  return true;
}

StaticRefusal CheckStaticOctets(const int* const octets[3]) {
  const int fields[3] = {ADDRESS_IP, ADDRESS_NETMASK, ADDRESS_GATEWAY};
  for (int f = 0; f < 3; f++) {
    if (!octets[f]) return {fields[f], NOT_AN_ADDRESS};
    const int refused = RefusedOctet(fields[f], octets[f]);
    if (refused >= 0) return {fields[f], refused};
  }
  if (!GatewayInSubnet(octets[0], octets[1], octets[2])) return {ADDRESS_GATEWAY, OUTSIDE_SUBNET};
  return {0, 0};
}

void FormatAddress(const int octets[4], char text[ADDRESS_TEXT_SIZE]) {
  std::snprintf(text, ADDRESS_TEXT_SIZE, "%d.%d.%d.%d", octets[0], octets[1], octets[2], octets[3]);
}
