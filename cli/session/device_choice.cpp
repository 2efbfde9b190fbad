#include "cli/session/device_choice.h"

#include <cstring>
#include <string>

#include "cli/text/escapes.h"
#include "platform/text_encoding.h"

DeviceChoice ChooseDevice(const std::vector<const DeviceRecord*>& listed, const char* argument) {
  DeviceChoice choice;
  for (const DeviceRecord* d : listed) {
    if (std::strcmp(d->ipText, argument) == 0) {
      choice.device = d;
      return choice;
    }
  }
  const std::string name = UnescapeText(platform::AnsiToUtf8(argument));
  for (const DeviceRecord* d : listed) {
    if (platform::AnsiToUtf8(d->name) == name) choice.sameName.push_back(d);
  }
  if (choice.sameName.size() == 1) {
    choice.device = choice.sameName.front();
    choice.sameName.clear();
  }
  return choice;
}

const DeviceRecord* FindAgain(const std::vector<const DeviceRecord*>& listed, const char* ip,
                              const std::uint8_t identity[IDENTITY_SIZE]) {
  for (const DeviceRecord* d : listed) {
    if (std::strcmp(d->ipText, ip) == 0 && std::memcmp(d->identity, identity, IDENTITY_SIZE) == 0) return d;
  }
  return nullptr;
}
