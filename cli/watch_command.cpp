#include "cli/watch_command.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "cli/cli_output.h"
#include "cli/search_interfaces.h"
#include "cli/watch_changes.h"
#include "platform/console.h"
#include "platform/interrupt.h"
#include "proto/exchanges.h"

namespace {

// How long the pause between searches sleeps before it looks for an interrupt.
constexpr long long WATCH_SLEEP_SLICE_MS = 100;

const char* const WATCH_EVENT_NAMES[] = {"appeared", "moved", "changed", "vanished"};

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  char text[32] = "";
  if (const std::tm* utc = std::gmtime(&now)) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", utc);
  return text;
}

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

std::string TextLine(const std::string& time, const WatchEvent& e) {
  const DeviceRecord& d = e.device;
  std::string line = time + " " + WATCH_EVENT_NAMES[e.kind] + " " + Printable(d.name) + " ";
  switch (e.kind) {
    case WATCH_APPEARED:
      return line + d.ipText + " netmask " + Printable(d.netmaskText) + " gateway " + Printable(d.gatewayText) +
             " dhcp " + DhcpText(d);
    case WATCH_MOVED:
      return line + e.before.ipText + " -> " + d.ipText;
    case WATCH_CHANGED:
      return line + d.ipText + " " + SettingChanges(e.before, d);
    case WATCH_VANISHED:
      break;
  }
  return line + d.ipText;
}

std::string JsonLine(const std::string& time, const WatchEvent& e) {
  std::string line = "{\"time\": \"" + time + "\", \"event\": \"" + WATCH_EVENT_NAMES[e.kind] +
                     "\", \"device\": " + DeviceJson(e.device);
  if (e.kind == WATCH_MOVED || e.kind == WATCH_CHANGED) line += ", \"before\": " + DeviceJson(e.before);
  return line + "}";
}

// Waits `seconds` in short slices of the sockets' sleep, so that an interrupt
// ends the wait at once; false when one did.
bool Pause(int seconds) {
  platform::SocketService& net = platform::Sockets();
  const long long end = net.MonotonicMicroseconds() + seconds * 1000000LL;
  while (!platform::Interrupted()) {
    const long long left = end - net.MonotonicMicroseconds();
    if (left <= 0) return true;
    net.SleepMs(static_cast<unsigned>(std::min(left / 1000 + 1, WATCH_SLEEP_SLICE_MS)));
  }
  return false;
}

}  // namespace

int WatchIntervalSeconds(const char* text) {
  if (!text) return WATCH_DEFAULT_INTERVAL_S;
  const std::size_t length = std::strlen(text);
  if (length == 0 || length > 6 || std::strspn(text, "0123456789") != length) return 0;
  const int seconds = std::atoi(text);
  return seconds >= WATCH_MIN_INTERVAL_S && seconds <= WATCH_MAX_INTERVAL_S ? seconds : 0;
}

int RunWatch(const CliOptions& options) {
  const int interval = WatchIntervalSeconds(options.interval);
  StartCommandLineSearch();
  DeviceWatch watch;
  do {
    SearchCommandLineInterfaces();
    ReadCommandLineLateReplies();
    // A search cut short may have missed devices that are still there.
    if (platform::Interrupted()) break;
    const std::string time = UtcNow();
    for (const WatchEvent& e : watch.Update(DeviceList.head))
      platform::Print(stdout, "%s\n", (options.json ? JsonLine(time, e) : TextLine(time, e)).c_str());
    if (std::fflush(stdout) != 0) {
      platform::Print(stderr, "%s", "lumaseek-cli: cannot write the output\n");
      return EXIT_FAILED;
    }
  } while (Pause(interval));
  return EXIT_DONE;
}
