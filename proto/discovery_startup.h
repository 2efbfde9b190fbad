// The engine's start at the beginning of a run.
#pragma once

#include "platform/sockets.h"
#include "proto/engine_tally.h"

// Starts the socket library (exits the process with status 1 when it cannot),
// fills the interface table and ClientId, and opens the sockets, noting each
// step for diagnostics. Once per run.
void DiscoveryStartup();

// One interface's send socket, and its receive socket for the interface at
// `local`, opened step by step as DiscoveryStartup opens them; `note` hears
// how each step of interface `interfaceIndex` went.
using StartupNote = void (*)(int interfaceIndex, StartupStep step, bool succeeded);
platform::SocketHandle OpenSendSocket(int interfaceIndex, StartupNote note);
platform::SocketHandle OpenReceiveSocket(int interfaceIndex, platform::Ipv4 local, StartupNote note);
