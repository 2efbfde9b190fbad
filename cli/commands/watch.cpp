// lumaseek-cli watch: searches again and again, reading late replies as
// search --all does, and prints one line per change (see watch_changes.h)
// with its time in UTC, as text or as one JSON object per line (see
// event_lines.h); a moved event names the drive letters still connected to
// the old address (none on Linux).
// Ctrl-C and its kin end it with exit status 0.
#include "cli/commands/commands.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "cli/drive/drive_moves.h"
#include "cli/text/output.h"
#include "cli/session/session.h"
#include "cli/text/messages.h"
#include "cli/watch/event_lines.h"
#include "cli/watch/watch_changes.h"
#include "platform/console.h"
#include "platform/interrupt.h"
#include "proto/exchanges.h"

namespace {

// How long the pause between searches sleeps before it looks for an interrupt.
constexpr long long WATCH_SLEEP_SLICE_MS = 100;

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  char text[32] = "";
  if (const std::tm* utc = std::gmtime(&now)) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", utc);
  return text;
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
    for (const WatchEvent& e : watch.Update(DeviceList.head)) {
      // read when printed: the letters as they are now, not at the first search
      const std::vector<std::string> drives =
          e.kind == WATCH_MOVED ? DriveLettersAt(e.before.ipText) : std::vector<std::string>();
      const std::string line = options.json ? WatchEventJson(time, e, drives) : WatchEventText(time, e, drives);
      platform::Print(stdout, "%s\n", line.c_str());
    }
    if (FinishOutput(stdout, EXIT_DONE) != EXIT_DONE) return EXIT_FAILED;
  } while (Pause(options.interval));
  return EXIT_DONE;
}
