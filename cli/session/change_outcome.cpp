#include "cli/session/change_outcome.h"

#include <cstring>

#include "cli/text/exit_status.h"
#include "cli/watch/watch_changes.h"

namespace {

bool At(const DeviceRecord& d, const std::string& ip) { return !ip.empty() && ip == d.ipText; }

// Where it answers: at the address it confirmed (or had) first, then at the
// one asked for, then anywhere.
const DeviceRecord* Find(const ChangeAsked& change, const std::vector<DeviceRecord>& answered) {
  const DeviceRecord* found = nullptr;
  for (const std::string& ip : {std::string(change.device.ipText), change.asked, std::string()}) {
    for (const DeviceRecord& d : answered) {
      if (!found && SameDevice(d, change.device) && (ip.empty() || At(d, ip))) found = &d;
    }
  }
  return found;
}

std::string Unconfirmed(const ChangeAsked& change, const std::string& where) {
  const std::string head = "the device did not confirm the change";
  if (where == change.asked) return head + " but answers at the new address " + where;
  if (where == change.device.ipText) return head + " and still answers at its old address " + where;
  return head + "; it answers at " + where + " (it was at " + change.device.ipText + ")";
}

std::string NotFound(const ChangeAsked& change) {
  const std::string at = change.device.ipText;
  if (change.confirmed) return "the device confirmed the change from " + at + " but did not answer the new search";
  const std::string head = "the device did not confirm the change and did not answer the new search";
  if (change.asked.empty() || change.asked == at) return head + " (it was at " + at + ")";
  return head + ", neither at " + change.asked + " nor at " + at;
}

}  // namespace

ChangeOutcome JudgeChange(const ChangeAsked& change, const std::vector<DeviceRecord>& answered) {
  ChangeOutcome outcome{{}, {}, EXIT_FAILED};
  const DeviceRecord* found = Find(change, answered);
  if (!found) {
    outcome.notes.push_back(NotFound(change));
    return outcome;
  }
  const std::string where = found->ipText;
  outcome.shown.push_back(*found);
  for (const DeviceRecord& d : answered) {
    if (&d != found && At(d, where)) outcome.shown.push_back(d);
  }
  if (!change.confirmed) {
    outcome.notes.push_back(Unconfirmed(change, where));
  } else if (where != change.device.ipText) {
    outcome.notes.push_back("the device confirmed the change from " + std::string(change.device.ipText) +
                            " but answers at " + where);
  } else {
    outcome.status = EXIT_DONE;
  }
  if (outcome.shown.size() > 1)
    outcome.notes.push_back(std::to_string(outcome.shown.size()) + " devices now answer at " + where);
  return outcome;
}

std::vector<DeviceRecord> AnsweredDevices(const ReplyWitness& witness) {
  std::vector<DeviceRecord> devices;
  for (int i = 0; i < SearchedInterfaceCount(); i++) {
    for (const DeviceRecord& d : witness.Answers(i)) {
      bool known = false;
      for (const DeviceRecord& k : devices) {
        known = known || (std::strcmp(k.ipText, d.ipText) == 0 && std::memcmp(k.identity, d.identity, IDENTITY_SIZE) == 0);
      }
      if (!known) devices.push_back(d);
    }
  }
  return devices;
}
