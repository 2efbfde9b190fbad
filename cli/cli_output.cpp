#include "cli/cli_output.h"

#include <algorithm>

#include "proto/local_interfaces.h"

namespace {

// The local address that received the device's reply.
const char* InterfaceText(const DeviceRecord& d) {
  if (d.interfaceIndex < 0 || d.interfaceIndex >= LocalInterfaceTable.count) return "";
  return LocalInterfaceTable.address[d.interfaceIndex];
}


// Every column padded to its width but the last, which ends the line.
void PrintRow(std::FILE* out, const std::vector<std::string>& cells, const std::size_t width[]) {
  for (std::size_t c = 0; c + 1 < cells.size(); c++)
    std::fprintf(out, "%-*s  ", static_cast<int>(width[c]), cells[c].c_str());
  std::fprintf(out, "%s\n", cells.back().c_str());
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
    if (*p == '"' || *p == '\\') {
      out += '\\';
      out += static_cast<char>(*p);
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
                    IsDhcpClient(*d) ? "yes" : "no"});
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
         ", \"dhcp\": " + (IsDhcpClient(d) ? "true" : "false") + ", \"interface\": " + JsonString(InterfaceText(d)) +
         "}";
}

void PrintDeviceJson(std::FILE* out, const std::vector<const DeviceRecord*>& devices) {
  std::fputs("[", out);
  for (std::size_t i = 0; i < devices.size(); i++)
    std::fprintf(out, "%s\n  %s", i ? "," : "", DeviceJson(*devices[i]).c_str());
  std::fputs(devices.empty() ? "]\n" : "\n]\n", out);
}

void PrintShares(std::FILE* out, const ShareRecord* head, bool json) {
  if (!json) {
    for (const ShareRecord* s = head; s; s = s->next) std::fprintf(out, "%s\n", Printable(s->name).c_str());
    return;
  }
  std::fputs("[", out);
  for (const ShareRecord* s = head; s; s = s->next)
    std::fprintf(out, "%s%s", s == head ? "" : ", ", JsonString(s->name).c_str());
  std::fputs("]\n", out);
}
