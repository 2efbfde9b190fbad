#include "cli/watch/event_lines.h"

#include "cli/text/output.h"

namespace {

const char* const WATCH_EVENT_NAMES[] = {"appeared", "moved", "changed", "vanished"};

// "netmask A -> B, dhcp no -> yes": the settings that differ.
std::string SettingChanges(const DeviceRecord& before, const DeviceRecord& now) {
  std::string out;
  auto note = [&out](const char* what, const std::string& was, const std::string& is) {
    if (was != is) out += (out.empty() ? "" : ", ") + std::string(what) + " " + was + " -> " + is;
  };
  note("netmask", Printable(before.netmaskText), Printable(now.netmaskText));
  note("gateway", Printable(before.gatewayText), Printable(now.gatewayText));
  note("dhcp", DhcpText(before), DhcpText(now));
  return out;
}

std::string Joined(const std::vector<std::string>& drives, const char* separator, bool quoted) {
  std::string out;
  for (const std::string& letter : drives)
    out += (out.empty() ? "" : separator) + (quoted ? JsonString(letter.c_str()) : Printable(letter.c_str()));
  return out;
}

}  // namespace

std::string WatchEventText(const std::string& time, const WatchEvent& e, const std::vector<std::string>& drives) {
  const DeviceRecord& d = e.device;
  std::string line = time + " " + WATCH_EVENT_NAMES[e.kind] + " " + Printable(d.name) + " ";
  switch (e.kind) {
    case WATCH_APPEARED:
      return line + d.ipText + " netmask " + Printable(d.netmaskText) + " gateway " + Printable(d.gatewayText) +
             " dhcp " + DhcpText(d);
    case WATCH_MOVED:
      line += std::string(e.before.ipText) + " -> " + d.ipText;
      return drives.empty() ? line : line + " drives " + Joined(drives, ", ", false);
    case WATCH_CHANGED:
      return line + d.ipText + " " + SettingChanges(e.before, d);
    case WATCH_VANISHED:
      break;
  }
  return line + d.ipText;
}

std::string WatchEventJson(const std::string& time, const WatchEvent& e, const std::vector<std::string>& drives) {
  std::string line = "{\"time\": \"" + time + "\", \"event\": \"" + WATCH_EVENT_NAMES[e.kind] +
                     "\", \"device\": " + DeviceJson(e.device);
  if (e.kind == WATCH_MOVED || e.kind == WATCH_CHANGED) line += ", \"before\": " + DeviceJson(e.before);
  if (e.kind == WATCH_MOVED) line += ", \"drives\": [" + Joined(drives, ", ", true) + "]";
  return line + "}";
}
