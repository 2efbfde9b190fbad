// What lumaseek-cli prints: device tables, share lists and their JSON forms.
// Names and shares come from the network: control bytes never reach the
// terminal, and the JSON stays valid whatever bytes a device sends.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "proto/device_lists.h"

// Aligned columns Name, IP, Netmask, Gateway, DHCP.
void PrintDeviceTable(std::FILE* out, const std::vector<const DeviceRecord*>& devices);
// [{"name", "ip", "netmask", "gateway", "dhcp" (boolean), "interface"}...]
void PrintDeviceJson(std::FILE* out, const std::vector<const DeviceRecord*>& devices);
// One device of that list as a JSON object.
std::string DeviceJson(const DeviceRecord& device);
void PrintShares(std::FILE* out, const ShareRecord* head, bool json);

// Bytes outside printable ASCII shown as "?".
std::string Printable(const char* text);
// A JSON string literal: valid UTF-8 as it is; other bytes beyond ASCII are
// taken as Latin-1 characters.
std::string JsonString(const char* text);
