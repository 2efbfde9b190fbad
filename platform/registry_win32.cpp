#include "platform/registry.h"

#include <windows.h>

namespace platform {

static HKEY RootOf(Hive hive) {
  return hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

long RegistryOpenForQuery(Hive hive, const char* subKey, RegistryKey* key) {
  HKEY opened = nullptr;
  LONG rc = RegOpenKeyExA(RootOf(hive), subKey, 0, KEY_QUERY_VALUE, &opened);
  *key = opened;
  return rc;
}

long RegistryQueryValue(RegistryKey key, const char* valueName, unsigned char* data,
                        unsigned long* size) {
  DWORD length = static_cast<DWORD>(*size);
  LONG rc = RegQueryValueExA(static_cast<HKEY>(key), valueName, nullptr, nullptr, data, &length);
  *size = length;
  return rc;
}

long RegistryCreateKey(Hive hive, const char* subKey, RegistryKey* key) {
  HKEY created = nullptr;
  LONG rc = RegCreateKeyA(RootOf(hive), subKey, &created);
  *key = created;
  return rc;
}

long RegistrySetDefaultText(Hive hive, const char* subKey, const char* text) {
  return RegSetValueA(RootOf(hive), subKey, REG_SZ, text, static_cast<DWORD>(lstrlenA(text)));
}

void RegistryCloseKey(RegistryKey key) { RegCloseKey(static_cast<HKEY>(key)); }

}  // namespace platform
