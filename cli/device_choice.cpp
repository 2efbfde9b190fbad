#include "cli/device_choice.h"

#include <cstring>
#include <string>

#include "cli/text_escapes.h"
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
