// The registry calls the program makes, one function per call. The values the
// program reads may hold anything: callers bound and terminate what they get.
#pragma once

namespace platform {

enum class Hive { CurrentUser, LocalMachine };

using RegistryKey = void*;  // HKEY

inline constexpr long REGISTRY_OK = 0;  // ERROR_SUCCESS

// RegOpenKeyExA with KEY_QUERY_VALUE.
long RegistryOpenForQuery(Hive hive, const char* subKey, RegistryKey* key);
// RegQueryValueExA: copies at most *size bytes of the value's data, whatever its
// type, and sets *size to the data's length; fails when the data is larger.
long RegistryQueryValue(RegistryKey key, const char* valueName, unsigned char* data,
                        unsigned long* size);
// RegCreateKeyA.
long RegistryCreateKey(Hive hive, const char* subKey, RegistryKey* key);
// RegSetValueA: the default value of hive\subKey as REG_SZ.
long RegistrySetDefaultText(Hive hive, const char* subKey, const char* text);
void RegistryCloseKey(RegistryKey key);

}  // namespace platform
