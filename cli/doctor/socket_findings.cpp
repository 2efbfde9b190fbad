#include "cli/doctor/socket_findings.h"

#include "cli/text/output.h"
#include "cli/doctor/finding_text.h"
#include "proto/local_interfaces.h"

namespace {

bool BindSucceeded(const Survey& survey) {
  for (const InterfaceSurvey& s : survey.interfaces)
    if (!StepFailed(s.tally, STEP_RECEIVE_OPEN) && !StepFailed(s.tally, STEP_BIND)) return true;
  return false;
}

// The other programs on the port as "a (process 1), b (process 2)", or empty
// when the system names none of them.
std::string Sharers(const Survey& survey) {
  std::vector<std::string> names;
  bool unnamed = false;
  for (const platform::PortSharer& p : survey.portSharers) {
    if (p.pid == 0) {
      unnamed = true;
      continue;
    }
    const std::string process = "process " + std::to_string(p.pid);
    names.push_back(p.program[0] ? SystemText(p.program) + " (" + process + ")" : process);
  }
  if (names.empty()) return "";
  if (unnamed) names.push_back("one the system does not name");
  return FirstFew(names);
}

}  // namespace

void StartupFindings(const Survey& survey, std::vector<Finding>& out) {
  std::vector<std::string> failedSteps;
  std::vector<const InterfaceSurvey*> held, denied;
  std::string deniedError;
  for (const InterfaceSurvey& s : survey.interfaces) {
    bool sendFailed = false, receiveFailed = false;
    for (int n = 0; n < STARTUP_STEP_COUNT; n++) {
      const StartupStep step = static_cast<StartupStep>(n);
      if (!StepFailed(s.tally, step)) continue;
      // A socket's later steps fail because of its first failure: one subject a socket.
      const bool sending = step <= STEP_SEND_LOOP;
      bool& socketFailed = sending ? sendFailed : receiveFailed;
      if (socketFailed) continue;
      socketFailed = true;
      const std::int32_t code = s.tally.stepError[step];
      // Windows also refuses with "access denied" when a holder keeps the port to itself.
      const bool heldByOther = s.bindFailure == BIND_PORT_HELD ||
                               (s.bindFailure == BIND_DENIED && !survey.portSharers.empty());
      if (step == STEP_BIND && heldByOther) {
        held.push_back(&s);
      } else if (step == STEP_BIND && s.bindFailure == BIND_DENIED) {
        denied.push_back(&s);
        deniedError = ErrorText(code);
      } else {
        failedSteps.push_back("the " + std::string(sending ? "send" : "receive") + " socket's step \"" +
                              StepLabel(step) + "\" on " + InterfaceLabel(s) + " (" + ErrorText(code) + ")");
      }
    }
  }
  if (!failedSteps.empty()) {
    out.push_back({"socket_step_failed",
                   Count(failedSteps.size(), "socket step", "socket steps") + " failed: " +
                       FirstFew(failedSteps, "; ") + "; requests may not go out or replies may not be read there",
                   "Check the adapter's settings and that no security software blocks the program, "
                   "then run doctor again."});
  }
  if (!held.empty()) {
    const std::string holders = Sharers(survey);
    out.push_back({"port_in_use",
                   "port " + PortText() + " is held by another program" + (holders.empty() ? "" : ", " + holders + ",") +
                       " which gets the replies",
                   "Close the other program (another NAS finder, perhaps) and run doctor again."});
  }
  if (!denied.empty()) {
    out.push_back({"bind_denied",
                   "the system refused port " + PortText() + " on " + Interfaces(denied) + " (" + deniedError +
                       "), and no other program holds it: the port may lie in a range the system reserves "
                       "(Hyper-V, WinNAT), or security software blocks the program",
                   "List the reserved ranges with: netsh interface ipv4 show excludedportrange protocol=udp; "
                   "if " + PortText() + " lies in one, restart the service that reserved it (net stop winnat, net start winnat) "
                   "or reboot; otherwise allow the program in the security software."});
  }
}

void SendFindings(const Survey& survey, std::vector<Finding>& out) {
  static const char* const SEND_STEP_ACTIONS[SEND_STEP_COUNT] = {"choosing it for multicast", "sending"};
  std::vector<std::string> failures;
  for (const InterfaceSurvey& s : survey.interfaces) {
    for (int step = 0; step < SEND_STEP_COUNT; step++) {
      if (!s.tally.sendFailures[step]) continue;
      failures.push_back(InterfaceLabel(s) + ": " + SEND_STEP_ACTIONS[step] + " failed " +
                         std::to_string(s.tally.sendFailures[step]) + " of " +
                         std::to_string(s.tally.sendAttempts[step]) + " times (" +
                         ErrorText(s.tally.sendError[step]) + ")");
    }
  }
  if (failures.empty()) return;
  out.push_back({"send_failed", "requests did not all go out: " + FirstFew(failures, "; "),
                 "Check that the adapter is connected and that no firewall or security software blocks outgoing "
                 "UDP to " + std::string(DISCOVERY_GROUP) + " port " + PortText() + ", then run doctor again."});
}

void PortSharerFindings(const Survey& survey, std::vector<Finding>& out) {
  if (survey.portSharers.empty() || !BindSucceeded(survey)) return;
  const std::size_t n = survey.portSharers.size();
  const std::string names = Sharers(survey);
  out.push_back({"port_shared",
                 (n == 1 ? "another program shares" : std::to_string(n) + " other programs share") + " port " + PortText() +
                     (names.empty() ? "" : ": " + names) + "; another finder there may take some or all of the replies",
                 "Close the other finder (a second lumaseek-cli, the window program or another NAS finder) and "
                 "run doctor again."});
}
