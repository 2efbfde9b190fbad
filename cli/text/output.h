// What lumaseek-cli prints: device tables, share lists and their JSON forms.
// Names and shares come from the network: control bytes never reach the
// terminal, and the JSON stays valid whatever bytes a device sends.
//
// Device texts (name, netmask, gateway, share names) are shown in one form,
// in the table and in JSON alike: the text as UTF-8 (on Windows converted
// from the ANSI code page first), valid characters as they are, a backslash
// as \\, and a control character or a byte that is not valid UTF-8 as \xNN
// (two upper-case hex digits). In JSON the string's value is that form, so
// the output is always valid UTF-8. The form reads back to the same bytes: a
// name as search shows it, or a JSON "name" value, can be given as DEVICE.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "proto/device_lists.h"

// "yes" for a DHCP client, "no" otherwise: the DHCP column and watch's lines.
const char* DhcpText(const DeviceRecord& device);
// Aligned columns Name, IP, Netmask, Gateway, DHCP.
void PrintDeviceTable(std::FILE* out, const std::vector<const DeviceRecord*>& devices);
// [{"name", "ip", "netmask", "gateway", "dhcp" (boolean), "interface"}...];
// name, netmask and gateway in the shown form above.
void PrintDeviceJson(std::FILE* out, const std::vector<const DeviceRecord*>& devices);
// One device of that list as a JSON object.
std::string DeviceJson(const DeviceRecord& device);
// One share a line, or a JSON array of strings, each in the shown form above.
void PrintShares(std::FILE* out, const ShareRecord* head, bool json);

// A device's text (or an argument) in the shown form above.
std::string Printable(const char* text);
// "NAME (ADDRESS)": how a message names a device.
std::string DeviceLabel(const DeviceRecord& device);
// A path, share name or system message in a message, as the system writes
// it: like the shown form, but a backslash is a backslash.
std::string SystemText(const char* text);
// An argument quoted in a message: its shown form, cut after ECHO_LIMIT bytes.
inline constexpr std::size_t ECHO_LIMIT = 60;
std::string Echoed(const char* argument);
// A JSON string literal of UTF-8 text; a byte that is not valid UTF-8 is
// written as the shown form writes it (\xNN), so the output stays valid.
std::string JsonString(const char* text);

// Flushes `out`; when anything written to it was lost, says so on stderr and
// turns a successful status into a failure; the loss is said once.
int FinishOutput(std::FILE* out, int status);
