#include "cli/session/system_error_sockets.h"

#include "platform/net_diagnostics.h"

int SystemErrorSockets::LastError() { return platform::LastSocketError(); }
