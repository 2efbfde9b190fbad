#include "cli/address/address_input.h"

#include "cli/text/output.h"
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
  char* const outs[3] = {ipOut, netmaskOut, gatewayOut};
  int octets[3][4];
  const int* read[3];
  for (int f = 0; f < 3; f++) read[f] = ReadOctets(texts[f], octets[f]) ? octets[f] : nullptr;
  const StaticRefusal refusal = CheckStaticOctets(read);
  const int f = refusal.field - 1;
  if (refusal.position == NOT_AN_ADDRESS)
    return std::string("not a dotted ") + names[f] + ": '" + Echoed(texts[f]) + "'";
  if (refusal.position == OUTSIDE_SUBNET) return GATEWAY_SUBNET_MESSAGE;
  if (refusal.field != 0) return RefusedOctetMessage(refusal.field, refusal.position);
  for (int k = 0; k < 3; k++) FormatAddress(octets[k], outs[k]);
  return "";
}
