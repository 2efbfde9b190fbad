#include "cli/session/startup_check.h"

#include "cli/session/search_interfaces.h"
#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "platform/net_diagnostics.h"
#include "proto/local_interfaces.h"

std::vector<StartedInterface> StartedInterfaces() {
  platform::SystemInterface system[platform::MAX_SYSTEM_INTERFACES];
  const int systemCount = platform::ListSystemInterfaces(system, platform::MAX_SYSTEM_INTERFACES);
  // The command line's own table once it is open, else the engine's (doctor's).
  const bool own = CommandLineInterfaces.count > 0;
  std::vector<StartedInterface> interfaces;
  for (int i = 0; i < SearchedInterfaceCount(); i++) {
    StartedInterface s{};
    s.index = i;
    s.address = SearchedInterfaceAddress(i);
    const platform::Ipv4 address = platform::InetAddr(s.address.c_str());
    for (int k = 0; k < systemCount; k++) {
      if (system[k].address != address) continue;
      s.name = system[k].name;
      s.netmask = system[k].netmask;
      break;
    }
    s.tally = own ? CommandLineTally[i] : EngineTally[i];
    interfaces.push_back(s);
  }
  return interfaces;
}

std::string InterfaceLabel(const StartedInterface& started) {
  return started.name.empty() ? started.address : started.address + " (" + started.name + ")";
}

std::string InterfaceNames(const std::vector<const StartedInterface*>& interfaces) {
  std::vector<std::string> labels;
  for (const StartedInterface* s : interfaces) labels.push_back(InterfaceLabel(*s));
  return (interfaces.size() == 1 ? "interface " : "interfaces ") + FirstFew(labels);
}

bool StepFailed(const InterfaceTally& tally, StartupStep step) { return (tally.failedSteps & (1u << step)) != 0; }

std::string StartupProblem(const std::vector<StartedInterface>& interfaces) {
  if (interfaces.empty()) {
    return "this PC has no network interface with an IPv4 address to search on; lumaseek-cli doctor lists "
           "what it found";
  }
  std::vector<const StartedInterface*> unbound;
  for (const StartedInterface& s : interfaces) {
    if (StepFailed(s.tally, STEP_RECEIVE_OPEN) || StepFailed(s.tally, STEP_BIND)) unbound.push_back(&s);
  }
  if (unbound.size() < interfaces.size()) return "";
  return "port " + std::to_string(DISCOVERY_PORT) + " could not be bound on " + InterfaceNames(unbound) +
         ", so no reply can arrive; lumaseek-cli doctor says why";
}

int SayStartupProblem() {
  const std::string problem = StartupProblem(StartedInterfaces());
  if (problem.empty()) return EXIT_DONE;
  PrintMessage("%s", problem.c_str());
  return EXIT_FAILED;
}
