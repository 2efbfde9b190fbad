#include "cli/address/address_input.h"

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

bool ReadAddress(const char* text, char out[ADDRESS_TEXT_SIZE]) {
  int octets[4];
  if (!ReadOctets(text, octets)) return false;
  for (const int o : octets) {
    if (o > 255) return false;
  }
  FormatAddress(octets, out);
  return true;
}
