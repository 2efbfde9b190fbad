#include "cli/drive/network_drives.h"

#include <algorithm>
#include <cstring>

#include "cli/text/output.h"

namespace {

const DeviceRecord* DeviceAt(const std::vector<const DeviceRecord*>& listed, const char* address) {
  for (const DeviceRecord* d : listed)
    if (std::strcmp(d->ipText, address) == 0) return d;
  return nullptr;
}

// A command-line argument as typed: quoted when it holds more than letters,
// digits and . _ - : @ (a share or user name with a space).
std::string Argument(const char* text) {
  const std::string shown = Printable(text);
  const bool plain = !shown.empty() && std::all_of(shown.begin(), shown.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || std::strchr("._-:@", c);
  });
  return plain ? shown : "\"" + shown + "\"";
}

}  // namespace

std::vector<NetworkDrive> NetworkDrives(const ConnectionRow (&rows)[DRIVE_LETTER_COUNT],
                                        const std::vector<const DeviceRecord*>& listed) {
  std::vector<NetworkDrive> drives;
  for (const ConnectionRow& row : rows)
    if (HasConnection(row)) drives.push_back({&row, DeviceAt(listed, row.serverText)});
  return drives;
}

std::vector<const ConnectionRow*> RowsConnectedTo(const ConnectionRow (&rows)[DRIVE_LETTER_COUNT],
                                                  const char* address) {
  std::vector<const ConnectionRow*> moving;
  for (const ConnectionRow& row : rows)
    if (HasConnection(row) && std::strcmp(row.serverText, address) == 0) moving.push_back(&row);
  return moving;
}

std::vector<std::string> DriveTableLines(const std::vector<NetworkDrive>& drives) {
  std::size_t width = 0;
  for (const NetworkDrive& d : drives)
    width = std::max(width, ShownRemoteName(d.row->serverText, d.row->shareText).size());
  std::vector<std::string> lines;
  for (const NetworkDrive& d : drives) {
    std::string remote = ShownRemoteName(d.row->serverText, d.row->shareText);
    remote.resize(width, ' ');
    const std::string device = d.device ? Printable(d.device->name) + " (" + d.device->ipText + ")"
                                        : "no device answers at " + Printable(d.row->serverText);
    lines.push_back(std::string(d.row->driveText) + "  " + remote + "  " + device);
  }
  return lines;
}

std::string DrivesJson(const std::vector<NetworkDrive>& drives) {
  std::string json = "[";
  for (const NetworkDrive& d : drives) {
    json += std::string(json.size() > 1 ? "," : "") + "\n  {\"letter\": " + JsonString(d.row->driveText) +
            ", \"address\": " + JsonString(Printable(d.row->serverText).c_str()) +
            ", \"share\": " + JsonString(Printable(d.row->shareText).c_str()) +
            ", \"device\": " + (d.device ? DeviceJson(*d.device) : "null") + "}";
  }
  return json + (drives.empty() ? "]" : "\n]");
}

std::string RemoteShareName(const char* address, const char* share) {
  return std::string("\\\\") + address + "\\" + share;
}

std::string ShownRemoteName(const char* address, const char* share) {
  return "\\\\" + Printable(address) + "\\" + Printable(share);
}

std::string MapLine(const char* letter, const char* address, const char* share, const char* user, bool unmapFirst) {
  return (unmapFirst ? "lumaseek-cli unmap " + std::string(letter) + " && " : std::string()) + "lumaseek-cli map " +
         address + " " + Argument(share) + " " + letter + " --user " + (user ? Argument(user) : "NAME") +
         " --password-stdin";
}
