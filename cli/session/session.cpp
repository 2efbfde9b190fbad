#include "cli/session/session.h"

#include <string>

#include "cli/session/change_outcome.h"
#include "cli/session/device_choice.h"
#include "cli/session/late_replies.h"
#include "cli/session/search_interfaces.h"
#include "cli/session/startup_check.h"
#include "cli/text/messages.h"
#include "cli/text/output.h"
#include "platform/console.h"
#include "proto/exchanges.h"

namespace {

// Selects DEVICE for the per-device exchanges; otherwise says why and
// returns the exit status.
int Select(const char* device, const DeviceRecord*& selected) {
  const DeviceChoice choice = ChooseDevice(ListedDevices(), device);
  const std::string ambiguity = AmbiguityText(choice, device);
  if (!ambiguity.empty()) {
    PrintMessage("%s", ambiguity.c_str());
    return EXIT_USAGE;
  }
  if (!choice.device) {
    PrintMessage("no device '%s' answered the search", Echoed(device).c_str());
    return EXIT_FAILED;
  }
  selected = choice.device;
  return EXIT_DONE;
}

}  // namespace

Session::Session(SessionKind kind, bool json, bool asTheWindow)
    : errors_(platform::Sockets()),
      progress_(errors_),
      fence_(progress_),
      witness_(fence_),
      show_(kind == SESSION_COMMAND && !json && platform::StderrIsTerminal()),
      tellInterrupts_(kind == SESSION_COMMAND),
      asTheWindow_(asTheWindow) {
  platform::UseSockets(&witness_);
}

Session::~Session() { platform::UseSockets(nullptr); }

int Session::Interrupted(const char* what) {
  if (tellInterrupts_) {
    PrintMessage("interrupted while %s; %s", what,
                 progress_.RequestSent() ? "its request had already been sent" : "nothing had been sent for it");
  }
  return EXIT_INTERRUPTED;
}

int Session::Search() {
  if (!started_) {
    asTheWindow_ ? DiscoveryStartup() : StartCommandLineSearch();
    // Doctor leaves the start-up check to its own report.
    if (!asTheWindow_) startStatus_ = SayStartupProblem();
  }
  started_ = true;
  if (startStatus_) return startStatus_;
  return Wait("searching", [this] {
    asTheWindow_ ? SearchDevices(SEARCH_MATCH_CODE1, SEARCH_MATCH_CODE2) : SearchCommandLineInterfaces();
  });
}

int Session::ReadLate() {
  return Wait("reading late replies", [this] { asTheWindow_ ? ReadAllLateReplies() : ReadCommandLineLateReplies(); });
}

int Session::SearchAll() {
  if (const int status = Search()) return status;
  return ReadLate();
}

int Session::FindDevice(const char* device, const DeviceRecord*& found) {
  if (const int status = SearchAll()) return status;
  return Select(device, found);
}

int Session::ShowAfterChange(const DeviceRecord& changed, int confirmed, const char* asked, std::string& foundAt) {
  const ChangeAsked change{changed, confirmed != 0, asked};  // a copy: the search frees the record
  witness_.ForgetAnswers();
  if (const int status = SearchAll()) return status;
  const ChangeOutcome outcome = JudgeChange(change, AnsweredDevices(witness_));
  for (const std::string& note : outcome.notes) PrintMessage("%s", note.c_str());
  std::vector<const DeviceRecord*> rows;
  for (const DeviceRecord& d : outcome.shown) rows.push_back(&d);
  if (!rows.empty()) PrintDeviceTable(stdout, rows);
  foundAt = rows.empty() ? "" : rows[0]->ipText;
  return outcome.status;
}

std::vector<const DeviceRecord*> ListedDevices() {
  std::vector<const DeviceRecord*> devices;
  for (const DeviceRecord* d = DeviceList.head; d; d = d->next) devices.push_back(d);
  return devices;
}
