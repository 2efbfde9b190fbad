// lumaseek-cli watch: searches again and again, reading late replies as
// search --all does, and prints one line per change (see watch_changes.h)
// with its time in UTC, as text or as one JSON object per line:
//   {"time": "2026-12-08T22:51:05Z", "event": "moved", "device": {...}, "before": {...}}
// "event" is appeared, moved, changed or vanished; "device" has the keys of
// search --json; moved and changed also give the device as it was before.
// Ctrl-C and its kin end it with exit status 0.
#include "cli/commands/commands.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "cli/text/output.h"
#include "cli/session/session.h"
#include "cli/text/messages.h"
#include "cli/watch/watch_changes.h"
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

int RunWatch(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  if (!options.interval) return UsageError("--interval takes whole seconds from " +
                                           std::to_string(WATCH_MIN_INTERVAL_S) + " to " +
                                           std::to_string(WATCH_MAX_INTERVAL_S));
  Session session(SESSION_WATCH, options.json);
  DeviceWatch watch;
  do {
    const int status = session.SearchAll();
    // A search cut short may have missed devices that are still there.
    if (status == EXIT_INTERRUPTED) break;
    if (status) return status;
    const std::string time = UtcNow();
    for (const WatchEvent& e : watch.Update(DeviceList.head))
      platform::Print(stdout, "%s\n", (options.json ? JsonLine(time, e) : TextLine(time, e)).c_str());
    if (FinishOutput(stdout, EXIT_DONE) != EXIT_DONE) return EXIT_FAILED;
  } while (Pause(options.interval));
  return EXIT_DONE;
}
