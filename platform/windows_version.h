// The name of the running Windows version, as callers test it for substrings
// ("98", "ME", "NT", "Vista").
#pragma once

#include <cstddef>

// The longest name, "unknown Windows version", and its terminator fit.
constexpr std::size_t WINDOWS_VERSION_NAME_SIZE = 32;

// Fills name (size bytes) with the version's name; "unknown Windows version"
// when the query fails or no name fits the reported numbers.
void GetWindowsVersionName(char* name, std::size_t size);
