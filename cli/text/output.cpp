#include "cli/text/output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cli/text/escapes.h"
#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "platform/console.h"
#include "platform/text_encoding.h"
#include "proto/every_interface_search.h"

namespace {

// The local address that received the device's reply.
const char* InterfaceText(const DeviceRecord& d) { return SearchedInterfaceAddress(d.interfaceIndex); }


// A device's text in JSON: the string holds its printable form.
std::string ShownJson(const char* text) { return JsonString(Printable(text).c_str()); }

// Characters, not bytes: a UTF-8 name takes one column a character.
std::size_t Columns(const std::string& text) {
  std::size_t n = 0;
  for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// Every column padded to its width but the last, which ends the line.
void PrintRow(std::FILE* out, const std::vector<std::string>& cells, const std::size_t width[]) {
  for (std::size_t c = 0; c + 1 < cells.size(); c++)
    platform::Print(out, "%s%*s  ", cells[c].c_str(), static_cast<int>(width[c] - Columns(cells[c])), "");
  platform::Print(out, "%s\n", cells.back().c_str());
}

}  // namespace

const char* DhcpText(const DeviceRecord& device) { return IsDhcpClient(device) ? "yes" : "no"; }

std::string Printable(const char* text) { return EscapeText(platform::AnsiToUtf8(text)); }

std::string DeviceLabel(const DeviceRecord& device) { return Printable(device.name) + " (" + device.ipText + ")"; }
std::string SystemText(const char* text) { return EscapeControls(platform::AnsiToUtf8(text)); }

std::string Echoed(const char* argument) { return EscapeText(platform::AnsiToUtf8(argument), ECHO_LIMIT); }

std::string JsonString(const char* text) {
  std::string out = "\"";
  for (const char* p = text; *p;) {
    const std::size_t length = Utf8CharLength(p);
    const unsigned char c = static_cast<unsigned char>(*p);
    char escaped[8];
    if (length == 0) {
      std::snprintf(escaped, sizeof escaped, "\\\\x%02X", c);  // as Printable shows it
      out += escaped;
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += *p;
    } else if (c < 0x20) {
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out.append(p, length);
    }
    p += length ? length : 1;
  }
  return out + "\"";
}

void PrintDeviceTable(std::FILE* out, const std::vector<const DeviceRecord*>& devices) {
  const char* const headings[5] = {"Name", "IP", "Netmask", "Gateway", "DHCP"};
  std::vector<std::vector<std::string>> rows;
  for (const DeviceRecord* d : devices) {
    rows.push_back({Printable(d->name), d->ipText, Printable(d->netmaskText), Printable(d->gatewayText),
                    DhcpText(*d)});
  }
  std::size_t width[5];
  for (int c = 0; c < 5; c++) {
    width[c] = std::char_traits<char>::length(headings[c]);
    for (const auto& row : rows) width[c] = std::max(width[c], Columns(row[c]));
  }
  PrintRow(out, {headings, headings + 5}, width);
  for (const auto& row : rows) PrintRow(out, row, width);
}

std::string DeviceJson(const DeviceRecord& d) {
  return "{\"name\": " + ShownJson(d.name) + ", \"ip\": " + JsonString(d.ipText) +
         ", \"netmask\": " + ShownJson(d.netmaskText) + ", \"gateway\": " + ShownJson(d.gatewayText) +
         ", \"dhcp\": " + (IsDhcpClient(d) ? "true" : "false") + ", \"interface\": " + JsonString(InterfaceText(d)) +
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
    platform::Print(out, "%s%s", s == head ? "" : ", ", ShownJson(s->name).c_str());
  platform::Print(out, "%s", "]\n");
}

int FinishOutput(std::FILE* out, int status) {
  errno = 0;
  const bool flushed = std::fflush(out) == 0;
  if (flushed && !std::ferror(out)) return status;
  const int error = errno;
  PrintMessage("the output could not be written%s%s", error ? ": " : "", error ? std::strerror(error) : "");
  std::clearerr(out);  // said once: a later check of the same output stays quiet
  return status == EXIT_DONE ? EXIT_FAILED : status;
}
