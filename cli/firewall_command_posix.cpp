#include "cli/firewall_command.h"

#include <cstdio>

#include "platform/console.h"

int RunFirewall(const char*, const CliOptions&) {
  platform::Print(stderr, "%s",
                  "lumaseek-cli: firewall changes Windows Defender Firewall; on Linux let the replies in with "
                  "nftables (Debian's default inet filter table) or with ufw:\n"
                  "    sudo nft add rule inet filter input udp dport 13579 accept\n"
                  "    sudo ufw allow 13579/udp\n");
  return EXIT_USAGE;
}
