// Reading a registry value as text.
#pragma once

#include <string>

#include "platform/registry.h"

inline constexpr int REGISTRY_TEXT_SIZE = 120;  // bytes read, terminator included

// The text of hive\key's value `valueName` ("" for the default value); empty
// when the key or the value cannot be read or the value is longer than 120
// bytes. The value may hold anything: the text ends at its first zero byte and
// holds at most 119 characters.
std::string ReadRegistryText(platform::Hive hive, const char* key, const char* valueName);
