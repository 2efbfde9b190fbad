// The main dialog's Search Device page starts the discovery engine and
// searches: in these tests it gets the socket double with no interfaces, so
// nothing reaches the network.
#include "tests/support/virtual_sockets.h"

namespace {
testing_support::VirtualSockets offlineSockets;
}  // namespace
