// The operating system's socket service, defined by the one backend file built
// for the platform; Sockets() hands it out unless a test substituted another.
#pragma once

#include "platform/sockets.h"

namespace platform {

SocketService& SystemSockets();

}  // namespace platform
