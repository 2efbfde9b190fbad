#include <cstdio>

#include "cli/commands/commands.h"
#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "platform/console.h"
#include "proto/local_interfaces.h"

int RunFirewall(const Arguments&) {
  PrintMessage("firewall changes Windows Defender Firewall; on Linux let the replies in with nftables (Debian's "
               "default inet filter table) or with ufw:");
  platform::Print(stderr,
                  "    sudo nft add rule inet filter input udp dport %u accept\n"
                  "    sudo ufw allow %u/udp\n",
                  DISCOVERY_PORT, DISCOVERY_PORT);
  return EXIT_USAGE;
}
