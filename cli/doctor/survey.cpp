#include "cli/doctor/survey.h"

#include "cli/session/reply_witness.h"
#include "platform/net_diagnostics.h"
#include "proto/every_interface_search.h"

namespace {

struct StepText {
  const char* label;
  const char* key;
};

const StepText STARTUP_STEP_TEXTS[STARTUP_STEP_COUNT] = {
    {"open", "send_socket"},
    {"multicast loop off", "send_multicast_loop"},
    {"open", "receive_socket"},
    {"address reuse", "reuse_address"},
    {"bind port", "bind"},
    {"join", "join_group"},
    {"multicast loop off", "receive_multicast_loop"},
};

constexpr int MAX_PORT_SHARERS = 16;

}  // namespace

Survey TakeSurvey(const ReplyWitness& witness, int listedBySearch) {
  Survey survey;
  for (const StartedInterface& started : StartedInterfaces()) {
    InterfaceSurvey s{started, {}, {}, {}, {}};
    const std::int32_t bindError = s.tally.stepError[STEP_BIND];
    s.bindFailure = platform::IsPortHeld(bindError)     ? BIND_PORT_HELD
                    : platform::IsBindDenied(bindError) ? BIND_DENIED
                                                        : BIND_FAILED_OTHERWISE;
    s.answers = witness.Answers(s.index);
    survey.interfaces.push_back(s);
  }
  int n = 0;
  for (const DeviceRecord* d = DeviceList.head; d; d = d->next, n++) {
    if (d->interfaceIndex < 0 || d->interfaceIndex >= static_cast<int>(survey.interfaces.size())) continue;
    InterfaceSurvey& s = survey.interfaces[d->interfaceIndex];
    (n < listedBySearch ? s.listed : s.unread).push_back(*d);
  }
  survey.devicesFound = DeviceList.count;
  platform::Ipv4 addresses[SEARCH_MAX_ADDRESSES];
  const int addressCount = platform::Sockets().HostAddresses(addresses, SEARCH_MAX_ADDRESSES);
  for (int i = MAX_INTERFACES; i < addressCount; i++) {
    char text[ADDRESS_TEXT_SIZE];
    platform::InetNtoa(addresses[i], text);
    survey.unsearched.push_back(text);
  }
  survey.longDatagramsFail = platform::LongDatagramFailsRead();
  survey.firewall = platform::ReadFirewall();
  platform::PortSharer sharers[MAX_PORT_SHARERS];
  survey.portSharers.assign(sharers, sharers + platform::ListPortSharers(DISCOVERY_PORT, sharers, MAX_PORT_SHARERS));
  return survey;
}

std::string StepLabel(StartupStep step) {
  const std::string label = STARTUP_STEP_TEXTS[step].label;
  if (step == STEP_BIND) return label + " " + std::to_string(DISCOVERY_PORT);
  if (step == STEP_JOIN_GROUP) return label + " " + DISCOVERY_GROUP;
  return label;
}
const char* StepKey(StartupStep step) { return STARTUP_STEP_TEXTS[step].key; }

std::string ErrorText(std::int32_t code) {
  if (code == 0) return "no error text from the system";
  char text[256];
  platform::SocketErrorText(code, text, sizeof text);
  return text;
}

std::string StepErrorText(const InterfaceTally& tally, StartupStep step) { return ErrorText(tally.stepError[step]); }
