#include "cli/cli_output.h"

#include <algorithm>

#include "platform/console.h"
#include "proto/local_interfaces.h"

namespace {

// The local address that received the device's reply.
const char* InterfaceText(const DeviceRecord& d) {
  if (d.interfaceIndex < 0 || d.interfaceIndex >= LocalInterfaceTable.count) return "";
  return LocalInterfaceTable.address[d.interfaceIndex];
}

bool IsDhcp(const DeviceRecord& d) { return d.dhcpFlag[0] == '1'; }

// Every column padded to its width but the last, which ends the line.
void PrintRow(std::FILE* out, const std::vector<std::string>& cells, const std::size_t width[]) {
  for (std::size_t c = 0; c + 1 < cells.size(); c++)
    platform::Print(out, "%-*s  ", static_cast<int>(width[c]), cells[c].c_str());
  platform::Print(out, "%s\n", cells.back().c_str());
}

// Length of the valid UTF-8 character at p (2 to 4), or 1 for any other byte.
std::size_t Utf8Length(const unsigned char* p) {
  const std::size_t n = p[0] >= 0xF0 ? (p[0] <= 0xF4 ? 4 : 1) : p[0] >= 0xE0 ? 3 : p[0] >= 0xC2 ? 2 : 1;
  for (std::size_t k = 1; k < n; k++) {
    if ((p[k] & 0xC0) != 0x80) return 1;  // the terminator ends a cut character too
  }
  // no overlong forms, surrogates or code points past U+10FFFF
  if ((p[0] == 0xE0 && p[1] < 0xA0) || (p[0] == 0xED && p[1] >= 0xA0) || (p[0] == 0xF0 && p[1] < 0x90) ||
      (p[0] == 0xF4 && p[1] >= 0x90)) {
    return 1;
  }
  return n;
}

}  // namespace

std::string Printable(const char* text) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; p++)
    out += (*p >= 0x20 && *p < 0x7F) ? static_cast<char>(*p) : '?';
  return out;
}

std::string JsonString(const char* text) {
  std::string out = "\"";
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; p++) {
    const std::size_t length = Utf8Length(p);
    if (*p == '"' || *p == '\\') {
      out += '\\';
      out += static_cast<char>(*p);
    } else if (length > 1) {  // JSON is UTF-8: the character as it is
      out.append(reinterpret_cast<const char*>(p), length);
      p += length - 1;
    } else if (*p < 0x20 || *p >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", *p);
      out += escaped;
    } else {
      out += static_cast<char>(*p);
    }
  }
  return out + "\"";
}

void PrintDeviceTable(std::FILE* out, const std::vector<const DeviceRecord*>& devices) {
  const char* const headings[5] = {"Name", "IP", "Netmask", "Gateway", "DHCP"};
  std::vector<std::vector<std::string>> rows;
  for (const DeviceRecord* d : devices) {
    rows.push_back({Printable(d->name), d->ipText, Printable(d->netmaskText), Printable(d->gatewayText),
                    IsDhcp(*d) ? "yes" : "no"});
  }
  std::size_t width[5];
  for (int c = 0; c < 5; c++) {
    width[c] = std::char_traits<char>::length(headings[c]);
    for (const auto& row : rows) width[c] = std::max(width[c], row[c].size());
  }
  PrintRow(out, {headings, headings + 5}, width);
  for (const auto& row : rows) PrintRow(out, row, width);
}

std::string DeviceJson(const DeviceRecord& d) {
  return "{\"name\": " + JsonString(d.name) + ", \"ip\": " + JsonString(d.ipText) +
         ", \"netmask\": " + JsonString(d.netmaskText) + ", \"gateway\": " + JsonString(d.gatewayText) +
         ", \"dhcp\": " + (IsDhcp(d) ? "true" : "false") + ", \"interface\": " + JsonString(InterfaceText(d)) +
         "}";
}

void PrintDeviceJson(std::FILE* out, const std::vector<const DeviceRecord*>& devices) {
  platform::Print(out, "%s", "[");
  for (std::size_t i = 0; i < devices.size(); i++)
    platform::Print(out, "%s\n  %s", i ? "," : "", DeviceJson(*devices[i]).c_str());
  platform::Print(out, "%s", devices.empty() ? "]\n" : "\n]\n");
}

void PrintShares(std::FILE* out, const ShareRecord* head, bool json) {
  if (!json) {
    for (const ShareRecord* s = head; s; s = s->next) platform::Print(out, "%s\n", Printable(s->name).c_str());
    return;
  }
  platform::Print(out, "%s", "[");
  for (const ShareRecord* s = head; s; s = s->next)
    platform::Print(out, "%s%s", s == head ? "" : ", ", JsonString(s->name).c_str());
  platform::Print(out, "%s", "]\n");
}
