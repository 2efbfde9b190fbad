// Whether a search can hear any device at all, said once the engine has
// started, before anything is sent: with no interface to search on, or with
// port 13579 bound on none, every command would only report silence and
// blame the network. The interfaces as started are doctor's too.
#pragma once

#include <string>
#include <vector>

#include "platform/sockets.h"
#include "proto/engine_tally.h"

// One interface of the search after its start-up.
struct StartedInterface {
  int index;
  std::string address;
  std::string name;        // the system's name; empty when it lists no such address
  platform::Ipv4 netmask;  // 0 when unknown
  InterfaceTally tally;    // how its start-up steps went, and what it saw since
};

// The interfaces of the search (the command line's own table once it is
// open, else the engine's), with the system's names and netmasks.
std::vector<StartedInterface> StartedInterfaces();

// "198.18.0.1 (eth0)", or the address alone when the name is unknown.
std::string InterfaceLabel(const StartedInterface& started);
// "interface a" or "interfaces a, b" (the first few, see FirstFew).
std::string InterfaceNames(const std::vector<const StartedInterface*>& interfaces);
bool StepFailed(const InterfaceTally& tally, StartupStep step);

// Why no reply can arrive through these interfaces, or empty when one can.
std::string StartupProblem(const std::vector<StartedInterface>& interfaces);

// Says the problem of StartedInterfaces() on stderr and returns
// EXIT_FAILED, or returns EXIT_DONE when there is none.
int SayStartupProblem();
