// The octet rules of the three address fields of a static configuration, their
// messages, the gateway's subnet check and the dotted text of passed octets.
// Pure logic: the IP Settings page shows the message and moves the focus, the
// CLI prints it.
#pragma once

#include "proto/local_interfaces.h"  // ADDRESS_TEXT_SIZE

enum AddressField { ADDRESS_IP = 1, ADDRESS_NETMASK = 2, ADDRESS_GATEWAY = 3 };

inline constexpr char GATEWAY_SUBNET_MESSAGE[] = "Gateway address input error!";

// Position (0 to 3) of the first octet that the rules of `field` refuse, or -1
// when all pass. Octets 1 to 3 of every field and octet 4 of the netmask must
// not exceed 255; octet 4 of IP and gateway must lie within 1 to 254. Field
// codes other than the three pass whatever the octets.
int RefusedOctet(int field, const int octets[4]);

// The message for octet `position` (0 to 3) of `field`; nullptr for other codes.
const char* RefusedOctetMessage(int field, int position);

// True when, octet by octet, gateway AND netmask equals ip AND netmask (8-bit values).
bool GatewayInSubnet(const int ip[4], const int netmask[4], const int gateway[4]);

// The first refusal of a static configuration's three addresses, found in the
// order the IP Settings page checks them: field by field (IP, netmask,
// gateway), each field's octets by their rules, then the gateway's subnet.
inline constexpr int NOT_AN_ADDRESS = -1;  // position: the field's text held no address
inline constexpr int OUTSIDE_SUBNET = -2;  // position: the gateway lies outside the subnet
struct StaticRefusal {
  int field;     // ADDRESS_IP, ADDRESS_NETMASK or ADDRESS_GATEWAY; 0 when all pass
  int position;  // the refused octet (0 to 3), NOT_AN_ADDRESS or OUTSIDE_SUBNET
};
// `octets[f]` is null for a field whose text held no address.
StaticRefusal CheckStaticOctets(const int* const octets[3]);

// The dotted text "a.b.c.d" of four octets that passed their rules (0 to 255).
void FormatAddress(const int octets[4], char text[ADDRESS_TEXT_SIZE]);
