// Windows Defender Firewall as plain records: the current profiles, each
// profile's settings, the rules and the third-party products registered with
// it (INetFwPolicy2, INetFwProducts), and adding or removing a rule. Every
// part says whether it could be read and, if not, the system's reason. On
// other systems nothing is read.
#pragma once

#include <string>
#include <vector>

namespace platform {

// NET_FW_PROFILE_TYPE2 bits.
inline constexpr unsigned FIREWALL_PROFILE_DOMAIN = 1;
inline constexpr unsigned FIREWALL_PROFILE_PRIVATE = 2;
inline constexpr unsigned FIREWALL_PROFILE_PUBLIC = 4;
inline constexpr unsigned FIREWALL_PROFILE_ALL = 0x7FFFFFFF;  // NET_FW_PROFILE2_ALL
inline constexpr int FIREWALL_PROFILE_COUNT = 3;
inline constexpr unsigned FIREWALL_PROFILE_BITS[FIREWALL_PROFILE_COUNT] = {
    FIREWALL_PROFILE_DOMAIN, FIREWALL_PROFILE_PRIVATE, FIREWALL_PROFILE_PUBLIC};

// NET_FW_IP_PROTOCOL values.
inline constexpr int FIREWALL_PROTOCOL_TCP = 6;
inline constexpr int FIREWALL_PROTOCOL_UDP = 17;
inline constexpr int FIREWALL_PROTOCOL_ANY = 256;

struct FirewallRule {
  std::string name;
  int protocol = FIREWALL_PROTOCOL_ANY;
  std::string localPorts;   // "13579", "13000-14000", "80,13579", "*" or empty for any
  std::string application;  // full path, or empty for every program
  unsigned profiles = FIREWALL_PROFILE_ALL;
  bool allow = true;  // else it blocks
  bool enabled = true;
  bool inbound = true;
};

struct FirewallProfileSettings {
  bool read = false;  // all three below could be read
  bool enabled = false;
  bool blockAllInbound = false;
  bool inboundBlockedByDefault = false;  // the default inbound action is block
};

struct FirewallReading {
  bool attempted = false;        // false where there is no such firewall
  std::string programFolder;     // of the running program, without a trailing backslash
  std::string policyError;       // the policy itself could not be had: nothing else was read
  std::string profilesError;     // the current profiles or a profile's settings could not be read
  unsigned currentProfiles = 0;  // FIREWALL_PROFILE_* bits
  FirewallProfileSettings profiles[FIREWALL_PROFILE_COUNT];  // in FIREWALL_PROFILE_BITS' order
  bool rulesRead = false;
  std::string rulesError;
  std::vector<FirewallRule> rules;  // every rule, as the system lists them
  bool productsRead = false;
  std::string productsError;
  std::vector<std::string> products;  // the display names of third-party firewalls
};

FirewallReading ReadFirewall();

// Windows only.
enum FirewallChange { FIREWALL_CHANGED, FIREWALL_DENIED, FIREWALL_FAILED };

// Adds `rule`, or removes every rule named `name`; on failure `error` holds
// the system's text. FIREWALL_DENIED: the user is no administrator.
FirewallChange AddFirewallRule(const FirewallRule& rule, std::string& error);
FirewallChange RemoveFirewallRules(const std::string& name, std::string& error);

}  // namespace platform
