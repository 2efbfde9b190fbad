// Which of the firewall's rules apply to the devices' replies (incoming UDP
// to port 13579 for lumaseek.exe or lumaseek-cli.exe) and whether a profile
// lets them in: plain logic over the records that platform/firewall.h reads.
#pragma once

#include <string>
#include <vector>

#include "platform/firewall.h"

// The two programs whose rules count, by file name and by full path in `folder`.
inline constexpr const char* FIREWALL_PROGRAM_NAMES[] = {"lumaseek.exe", "lumaseek-cli.exe"};
std::vector<std::string> FirewallPrograms(const std::string& folder);

// "13579", "13000-14000", "80,13579", "*" (or empty: every port).
bool PortsInclude(const std::string& ports, unsigned port);
// An enabled inbound rule for UDP (or any protocol) whose local ports include
// `port` and whose program is one of `programs` (letter case aside) or every
// program, on any of the `profiles` bits.
bool RuleApplies(const platform::FirewallRule& rule, const std::vector<std::string>& programs, unsigned port,
                 unsigned profiles);

// What one profile does with the replies.
struct ProfileVerdict {
  unsigned profile;  // one FIREWALL_PROFILE_* bit
  bool letsIn;
  bool firewallOff;
  bool blockAll;
  std::vector<const platform::FirewallRule*> blocking;  // applying block rules: any one wins
  std::vector<const platform::FirewallRule*> allowing;
};
ProfileVerdict JudgeProfile(const platform::FirewallReading& reading, int profileIndex,
                            const std::vector<std::string>& programs, unsigned port);

// "Domain", "Private", "Public"; and "Public profile", "Private and Public
// profiles" for a set of bits.
const char* ProfileName(unsigned profile);
// "domain", "private", "public": as JSON keys and netsh name them.
const char* ProfileKey(unsigned profile);
std::string ProfileNames(unsigned profiles);

// netsh advfirewall firewall delete rule name="NAME"
std::string NetshDeleteLine(const std::string& ruleName);
