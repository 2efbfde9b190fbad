#include "cli/startup_check.h"

#include <cstdio>

#include "cli/exit_status.h"
#include "cli/finding_text.h"
#include "platform/console.h"

std::string StartupProblem(const std::vector<InterfaceSurvey>& interfaces) {
  if (interfaces.empty()) {
    return "this PC has no network interface with an IPv4 address to search on; lumaseek-cli doctor lists "
           "what it found";
  }
  std::vector<const InterfaceSurvey*> unbound;
  for (const InterfaceSurvey& s : interfaces) {
    if (StepFailed(s.tally, STEP_RECEIVE_OPEN) || StepFailed(s.tally, STEP_BIND)) unbound.push_back(&s);
  }
  if (unbound.size() < interfaces.size()) return "";
  return "port " + std::to_string(DISCOVERY_PORT) + " could not be bound on " + Interfaces(unbound) +
         ", so no reply can arrive; lumaseek-cli doctor says why";
}

int SayStartupProblem() {
  const std::string problem = StartupProblem(SurveyInterfaces());
  if (problem.empty()) return EXIT_DONE;
  platform::Print(stderr, "lumaseek-cli: %s\n", problem.c_str());
  return EXIT_FAILED;
}
