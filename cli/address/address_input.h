// The addresses of set-static as typed on the command line, checked with the
// octet rules and the subnet check of the IP Settings page.
#pragma once

#include <string>

#include "proto/local_interfaces.h"

// "a.b.c.d" of decimal numbers (up to 5 digits each, so that an out-of-range
// octet reaches its rule); false for anything else.
bool ReadOctets(const char* text, int octets[4]);

// Empty when the three addresses pass; otherwise the message that refuses
// them. On success the three normalised dotted texts are written to the outs.
std::string CheckStaticAddresses(const char* ip, const char* netmask, const char* gateway,
                                 char ipOut[ADDRESS_TEXT_SIZE], char netmaskOut[ADDRESS_TEXT_SIZE],
                                 char gatewayOut[ADDRESS_TEXT_SIZE]);
