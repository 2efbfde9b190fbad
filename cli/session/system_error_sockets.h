// The sockets with the system's error codes, which the window program's
// service does not give: doctor tells a port held from one refused by them.
#pragma once

#include "cli/session/pass_through_sockets.h"

class SystemErrorSockets : public PassThroughSockets {
 public:
  using PassThroughSockets::PassThroughSockets;

  int LastError() override;
};
