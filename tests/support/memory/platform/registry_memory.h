// In-memory registry for native builds: tests preset values (any bytes, any
// length), make key creation fail, and read back what the program stored.
#pragma once

#include <string>

#include "platform/registry.h"

namespace platform::memory_registry {

void Reset();
// Stores raw data (no terminator is added) as valueName of hive\key; "" is the default value.
void SetValue(Hive hive, const std::string& key, const std::string& valueName,
              const std::string& data);
// The stored data, or nullptr when the key or the value does not exist.
const std::string* Value(Hive hive, const std::string& key, const std::string& valueName);
void FailKeyCreation(bool fail);
// Keys opened or created and not yet closed: a leak when nonzero after a call.
int OpenKeys();

}  // namespace platform::memory_registry
