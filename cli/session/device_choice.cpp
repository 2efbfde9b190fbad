#include "cli/session/device_choice.h"

#include <cstring>

#include "cli/address/address_input.h"
#include "cli/text/escapes.h"
#include "cli/text/output.h"
#include "platform/text_encoding.h"

namespace {

std::string Addresses(const std::vector<const DeviceRecord*>& devices, std::size_t from) {
  std::string list;
  for (std::size_t i = from; i < devices.size(); i++) list += (list.empty() ? "" : ", ") + std::string(devices[i]->ipText);
  return list;
}

}  // namespace

DeviceChoice ChooseDevice(const std::vector<const DeviceRecord*>& listed, const char* argument) {
  DeviceChoice choice;
  char address[ADDRESS_TEXT_SIZE];
  const DeviceRecord* atAddress = nullptr;
  if (ReadAddress(argument, address)) {
    for (const DeviceRecord* d : listed) {
      if (!atAddress && std::strcmp(d->ipText, address) == 0) atAddress = d;
    }
  }
  const std::string name = UnescapeText(platform::AnsiToUtf8(argument));
  std::vector<const DeviceRecord*> named;
  for (const DeviceRecord* d : listed) {
    if (d != atAddress && platform::AnsiToUtf8(d->name) == name) named.push_back(d);
  }
  if (atAddress && !named.empty()) {
    choice.addressAndName.push_back(atAddress);
    choice.addressAndName.insert(choice.addressAndName.end(), named.begin(), named.end());
  } else if (atAddress) {
    choice.device = atAddress;
  } else if (named.size() == 1) {
    choice.device = named.front();
  } else if (named.size() > 1) {
    choice.sameName = named;
  }
  return choice;
}

std::string AmbiguityText(const DeviceChoice& choice, const char* argument) {
  const std::string shown = "'" + Echoed(argument) + "'";
  if (!choice.sameName.empty()) {
    return std::to_string(choice.sameName.size()) + " devices are named " + shown + " (" +
           Addresses(choice.sameName, 0) + "): give the address of one";
  }
  if (choice.addressAndName.empty()) return "";
  const DeviceRecord& at = *choice.addressAndName.front();
  // A leading zero keeps the address and leaves the name behind.
  std::string written = at.ipText;
  written.insert(written.rfind('.') + 1, "0");
  return shown + " is both the address of the device " + Printable(at.name) + " and the name of the device" +
         (choice.addressAndName.size() > 2 ? "s" : "") + " at " + Addresses(choice.addressAndName, 1) +
         ": give " + written + " for the device at that address, or the address of the named one";
}
