// Addresses as typed on the command line: set-static's three fields and an
// address given as DEVICE are read the same way, so 198.18.0.010 is
// 198.18.0.10 everywhere.
#pragma once

#include "proto/local_interfaces.h"

// "a.b.c.d" of decimal numbers (up to 5 digits each, so that an out-of-range
// octet reaches its rule); false for anything else.
bool ReadOctets(const char* text, int octets[4]);
// A dotted address of octets 0 to 255, written normalised to `out`
// ("010.1.0.5" as "10.1.0.5"); false for anything else.
bool ReadAddress(const char* text, char out[ADDRESS_TEXT_SIZE]);

// True for four octets of 0 to 255, leading zeros allowed; `out` then holds
// the normalised dotted text.
bool ReadAddress(const char* text, char out[ADDRESS_TEXT_SIZE]);
