#include "cli/firewall/rules.h"

#include <cstdlib>

using platform::FirewallRule;

namespace {

const char* const FIREWALL_PROFILE_NAMES[platform::FIREWALL_PROFILE_COUNT] = {"Domain", "Private", "Public"};
const char* const FIREWALL_PROFILE_KEYS[platform::FIREWALL_PROFILE_COUNT] = {"domain", "private", "public"};

int ProfileIndex(unsigned profile) {
  for (int i = 0; i < platform::FIREWALL_PROFILE_COUNT; i++)
    if (profile == platform::FIREWALL_PROFILE_BITS[i]) return i;
  return -1;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Windows compares paths without regard to letter case.
bool SamePath(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); i++)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A whole decimal number, else -1 (keywords such as "RPC" name no port).
long PortNumber(const std::string& text) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return -1;
  return std::strtol(text.c_str(), nullptr, 10);
}

bool ItemIncludes(const std::string& item, unsigned port) {
  if (item == "*") return true;
  const std::size_t dash = item.find('-');
  if (dash == std::string::npos) return PortNumber(item) == static_cast<long>(port);
  const long low = PortNumber(Trimmed(item.substr(0, dash))), high = PortNumber(Trimmed(item.substr(dash + 1)));
  return low >= 0 && high >= 0 && low <= static_cast<long>(port) && static_cast<long>(port) <= high;
}

}  // namespace

std::vector<std::string> FirewallPrograms(const std::string& folder) {
  std::vector<std::string> paths;
  for (const char* name : FIREWALL_PROGRAM_NAMES) paths.push_back(folder + "\\" + name);
  return paths;
}

bool PortsInclude(const std::string& ports, unsigned port) {
  if (Trimmed(ports).empty()) return true;
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = ports.find(',', from);
    if (ItemIncludes(Trimmed(ports.substr(from, comma - from)), port)) return true;
    if (comma == std::string::npos) return false;
    from = comma + 1;
  }
}

bool RuleApplies(const FirewallRule& rule, const std::vector<std::string>& programs, unsigned port, unsigned profiles) {
  if (!rule.enabled || !rule.inbound || (rule.profiles & profiles) == 0) return false;
  if (rule.protocol != platform::FIREWALL_PROTOCOL_UDP && rule.protocol != platform::FIREWALL_PROTOCOL_ANY)
    return false;
  if (!PortsInclude(rule.localPorts, port)) return false;
  const std::string application = Trimmed(rule.application);
  if (application.empty() || application == "*") return true;
  for (const std::string& program : programs)
    if (SamePath(application, program)) return true;
  return false;
}

ProfileVerdict JudgeProfile(const platform::FirewallReading& reading, int profileIndex,
                            const std::vector<std::string>& programs, unsigned port) {
  const platform::FirewallProfileSettings& settings = reading.profiles[profileIndex];
  ProfileVerdict v{
      platform::FIREWALL_PROFILE_BITS[profileIndex], false, !settings.enabled, settings.blockAllInbound, {}, {}};
  for (const FirewallRule& rule : reading.rules) {
    if (RuleApplies(rule, programs, port, v.profile)) (rule.allow ? v.allowing : v.blocking).push_back(&rule);
  }
  if (v.firewallOff) {
    v.letsIn = true;
  } else if (v.blockAll || !v.blocking.empty()) {
    v.letsIn = false;
  } else {
    v.letsIn = !v.allowing.empty() || !settings.inboundBlockedByDefault;
  }
  return v;
}

const char* ProfileName(unsigned profile) {
  const int i = ProfileIndex(profile);
  return i < 0 ? "unknown" : FIREWALL_PROFILE_NAMES[i];
}

const char* ProfileKey(unsigned profile) {
  const int i = ProfileIndex(profile);
  return i < 0 ? "unknown" : FIREWALL_PROFILE_KEYS[i];
}

std::string ProfileNames(unsigned profiles) {
  std::vector<const char*> names;
  for (int i = 0; i < platform::FIREWALL_PROFILE_COUNT; i++)
    if (profiles & platform::FIREWALL_PROFILE_BITS[i]) names.push_back(FIREWALL_PROFILE_NAMES[i]);
  std::string text;
  for (std::size_t i = 0; i < names.size(); i++)
    text += std::string(i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  return text.empty() ? "no profile" : text + (names.size() == 1 ? " profile" : " profiles");
}

std::string NetshDeleteLine(const std::string& ruleName) {
  return "netsh advfirewall firewall delete rule name=\"" + ruleName + "\"";
}
