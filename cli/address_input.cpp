#include "cli/address_input.h"

#include "cli/cli_output.h"
#include "shared/address_rules.h"

bool ReadOctets(const char* text, int octets[4]) {
  const char* p = text;
  for (int i = 0; i < 4; i++) {
    if (i > 0 && *p++ != '.') return false;
    int digits = 0, value = 0;
    for (; *p >= '0' && *p <= '9'; p++) {
      if (++digits > 5) return false;
      value = value * 10 + (*p - '0');
    }
    if (digits == 0) return false;
    octets[i] = value;
  }
  return *p == '\0';
}

std::string CheckStaticAddresses(const char* ip, const char* netmask, const char* gateway,
                                 char ipOut[ADDRESS_TEXT_SIZE], char netmaskOut[ADDRESS_TEXT_SIZE],
                                 char gatewayOut[ADDRESS_TEXT_SIZE]) {
  const char* const texts[3] = {ip, netmask, gateway};
  const char* const names[3] = {"IP address", "netmask", "gateway"};
  const int fields[3] = {ADDRESS_IP, ADDRESS_NETMASK, ADDRESS_GATEWAY};
  char* const outs[3] = {ipOut, netmaskOut, gatewayOut};
  int octets[3][4];
  // Field by field, as the page checks them: the first refusal is the one reported.
  for (int f = 0; f < 3; f++) {
    if (!ReadOctets(texts[f], octets[f]))
      return std::string("not a dotted ") + names[f] + ": '" + Echoed(texts[f]) + "'";
    const int refused = RefusedOctet(fields[f], octets[f]);
    if (refused >= 0) return RefusedOctetMessage(fields[f], refused);
  }
  if (!GatewayInSubnet(octets[0], octets[1], octets[2])) return GATEWAY_SUBNET_MESSAGE;
  for (int f = 0; f < 3; f++) FormatAddress(octets[f], outs[f]);
  return "";
}
