#include "shared/registry_text.h"

#include "proto/text_copy.h"

std::string ReadRegistryText(platform::Hive hive, const char* key, const char* valueName) {
  platform::RegistryKey opened;
  if (platform::RegistryOpenForQuery(hive, key, &opened) != platform::REGISTRY_OK) return "";
  unsigned char data[REGISTRY_TEXT_SIZE];
  unsigned long size = sizeof data;
  long status = platform::RegistryQueryValue(opened, valueName, data, &size);
  platform::RegistryCloseKey(opened);
  if (status != platform::REGISTRY_OK) return "";
  // a value of exactly 120 bytes without a zero among them loses its last byte
  char text[REGISTRY_TEXT_SIZE];
  CopyTextN(text, sizeof text, reinterpret_cast<const char*>(data),
            size < sizeof data ? size : sizeof data);
  return text;
}
