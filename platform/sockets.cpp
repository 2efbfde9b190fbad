#include "platform/sockets.h"

#include "platform/system_sockets.h"

namespace platform {

namespace {
SocketService* substitute = nullptr;  // not owned
}  // namespace

SocketService& Sockets() { return substitute ? *substitute : SystemSockets(); }

void UseSockets(SocketService* service) { substitute = service; }

}  // namespace platform
