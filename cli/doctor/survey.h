// What doctor saw: per interface in the engine's order its address, the
// system's name and netmask for it, how its start-up steps went, what its
// receive socket got during the search, the devices it listed, the devices
// that answered too late for the search, and every device it heard; and the
// other programs with a socket on the discovery port; and the firewall.
#pragma once

#include <string>
#include <vector>

#include "cli/session/startup_check.h"
#include "platform/firewall.h"
#include "platform/net_diagnostics.h"
#include "proto/device_lists.h"

class ReplyWitness;

// What the system's error code says of a failed bind.
enum BindFailure { BIND_FAILED_OTHERWISE, BIND_PORT_HELD, BIND_DENIED };

// An interface as the engine started it (startup_check.h), and what it heard.
struct InterfaceSurvey : StartedInterface {
  BindFailure bindFailure;            // when the bind step failed
  std::vector<DeviceRecord> listed;   // listed by the search through this interface
  std::vector<DeviceRecord> unread;   // answered, but read only after the search
  std::vector<DeviceRecord> answers;  // every device whose own reply arrived here
};

struct Survey {
  std::vector<InterfaceSurvey> interfaces;
  int devicesFound = 0;  // listed and unread together
  std::vector<platform::PortSharer> portSharers;
  bool longDatagramsFail = false;  // the system fails a read of a datagram over DATAGRAM_SIZE bytes, else cuts it
  // The PC's addresses after the window's first MAX_INTERFACES, in the
  // resolver's order: the window never searches them.
  std::vector<std::string> unsearched;
  platform::FirewallReading firewall;
};

// After a search that listed `listedBySearch` devices and the late reading
// that followed it, gathers the engine's tables, its tally, DeviceList and
// what `witness` saw.
Survey TakeSurvey(const ReplyWitness& witness, int listedBySearch);

// What a start-up step does, e.g. "bind port 13579" (DISCOVERY_PORT), and its JSON key.
std::string StepLabel(StartupStep step);
const char* StepKey(StartupStep step);
// The system's text for an error code, e.g. of a failed step.
std::string ErrorText(std::int32_t code);
std::string StepErrorText(const InterfaceTally& tally, StartupStep step);
