// The command line's interfaces: every IPv4 address of the PC, each with its
// own sockets, searched at once (proto/every_interface_search.h) where the
// window searches its first eight one after another. The engine's per-device
// exchanges reach a device listed on any of them through a lease of its
// interface; doctor alone searches with the engine's own tables, as the window.
#pragma once

#include "proto/device_lists.h"
#include "proto/every_interface_search.h"

// Starts the socket library (the process exits with status 1 when it cannot,
// as the engine's start-up does), makes ClientId and opens
// CommandLineInterfaces, noting in CommandLineTally how each interface's
// start-up steps went. Once per run.
void StartCommandLineSearch();
// By index in CommandLineInterfaces; only the start-up steps are noted.
extern InterfaceTally CommandLineTally[SEARCH_MAX_ADDRESSES];
// The search with the program's match codes, and the late reading after it.
void SearchCommandLineInterfaces();
int ReadCommandLineLateReplies();

// While it lives, the engine's table holds one interface, the one of the
// listed device at `deviceIp`, as its entry 0 with that interface's sockets,
// and the device's record points at it, so that the engine's exchanges with
// the device go out of and listen on the interface it answered on. Does
// nothing when CommandLineInterfaces is not open or no such device is listed.
class InterfaceLease {
 public:
  explicit InterfaceLease(const char* deviceIp);
  ~InterfaceLease();
  InterfaceLease(const InterfaceLease&) = delete;
  InterfaceLease& operator=(const InterfaceLease&) = delete;

 private:
  DeviceRecord* device_ = nullptr;
  int index_ = -1;
};
