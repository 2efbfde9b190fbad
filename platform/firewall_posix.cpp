#include "platform/firewall.h"

namespace platform {

FirewallReading ReadFirewall() { return {}; }

}  // namespace platform
