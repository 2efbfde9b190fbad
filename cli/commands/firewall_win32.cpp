#include "cli/commands/commands.h"

#include <cstdio>
#include <cstring>

#include "cli/firewall/rules.h"
#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "platform/console.h"
#include "proto/local_interfaces.h"

using namespace platform;

namespace {

// The rules this command adds, one per program; their names are its own.
std::vector<FirewallRule> OwnRules(const std::string& folder, bool publicProfile) {
  std::vector<FirewallRule> rules;
  const std::vector<std::string> programs = FirewallPrograms(folder);
  for (std::size_t i = 0; i < programs.size(); i++) {
    FirewallRule r;
    r.name = std::string("lumaSeek replies (") + FIREWALL_PROGRAM_NAMES[i] + ")";
    r.protocol = FIREWALL_PROTOCOL_UDP;
    r.localPorts = std::to_string(DISCOVERY_PORT);
    r.application = programs[i];
    r.profiles = FIREWALL_PROFILE_DOMAIN | FIREWALL_PROFILE_PRIVATE | (publicProfile ? FIREWALL_PROFILE_PUBLIC : 0);
    rules.push_back(r);
  }
  return rules;
}

std::string NetshProfiles(unsigned profiles) {
  std::string text;
  for (int i = 0; i < FIREWALL_PROFILE_COUNT; i++) {
    if (profiles & FIREWALL_PROFILE_BITS[i])
      text += (text.empty() ? "" : ",") + std::string(ProfileKey(FIREWALL_PROFILE_BITS[i]));
  }
  return text;
}

std::string NetshAddLine(const FirewallRule& r) {
  return "netsh advfirewall firewall add rule name=\"" + r.name +
         "\" dir=in action=allow protocol=UDP localport=" + r.localPorts + " program=\"" + r.application +
         "\" profile=" + NetshProfiles(r.profiles) + " enable=yes";
}

bool Same(const FirewallRule& a, const FirewallRule& b) {
  return RuleApplies(a, {b.application}, DISCOVERY_PORT, b.profiles) && a.allow && a.profiles == b.profiles &&
         a.protocol == b.protocol && a.localPorts == b.localPorts;
}

// The rules of the system with this name.
std::vector<const FirewallRule*> Named(const FirewallReading& reading, const std::string& name) {
  std::vector<const FirewallRule*> found;
  for (const FirewallRule& r : reading.rules)
    if (r.name == name) found.push_back(&r);
  return found;
}

// Says why the change was refused; the lines do the same from an
// administrator's prompt. `changed`: the rules changed before the refusal.
int Refused(const std::string& error, const std::vector<std::string>& lines, int changed) {
  PrintMessage("the firewall refused the change (%s): %s. Changing the firewall needs an administrator: run "
               "lumaseek-cli firewall again from an administrator's prompt (Run as administrator), or run there:",
               error.c_str(), changed ? "the rules above were changed, no others" : "nothing was changed");
  for (const std::string& line : lines) platform::Print(stdout, "%s\n", line.c_str());
  return EXIT_FAILED;
}

// Without the rules, neither what is there nor what blocks is known: nothing
// is changed, and the lines make the change from an administrator's prompt.
int Unread(const char* what, const std::string& error, const std::vector<std::string>& lines) {
  PrintMessage("%s could not be read (%s): nothing was changed. From an administrator's prompt, run:", what,
               error.c_str());
  for (const std::string& line : lines) platform::Print(stdout, "%s\n", line.c_str());
  return EXIT_FAILED;
}

int Failed(const char* what, const std::string& error) {
  PrintMessage("%s: %s", what, error.c_str());
  return EXIT_FAILED;
}

// Block rules that apply to the replies on `profiles` win over any allow rule.
void WarnOfBlocks(const FirewallReading& reading, unsigned profiles) {
  const std::vector<std::string> programs = FirewallPrograms(reading.programFolder);
  for (const FirewallRule& r : reading.rules) {
    if (r.allow || !RuleApplies(r, programs, DISCOVERY_PORT, profiles)) continue;
    PrintMessage("the rule \"%s\" blocks incoming UDP to port %u on the %s and wins over the allow rules; from "
                 "an administrator's prompt: %s",
                 r.name.c_str(), DISCOVERY_PORT, ProfileNames(r.profiles & profiles).c_str(),
                 NetshDeleteLine(r.name).c_str());
  }
  if ((reading.currentProfiles & FIREWALL_PROFILE_PUBLIC) && !(profiles & FIREWALL_PROFILE_PUBLIC))
    PrintMessage("the current network is Public: lumaseek-cli firewall allow --public lets the replies in there too");
}

int Allow(const FirewallReading& reading, const std::vector<FirewallRule>& wanted,
          const std::vector<std::string>& lines) {
  int changed = 0;
  for (const FirewallRule& r : wanted) {
    const std::vector<const FirewallRule*> present = Named(reading, r.name);
    if (present.size() == 1 && Same(*present.front(), r)) {
      platform::Print(stdout, "already there: %s\n", r.name.c_str());
      continue;
    }
    std::string error;
    // a rule of the name with other settings gives way to the wanted one
    FirewallChange change = present.empty() ? FIREWALL_CHANGED : RemoveFirewallRules(r.name, error);
    if (change == FIREWALL_CHANGED) change = AddFirewallRule(r, error);
    if (change == FIREWALL_DENIED) return Refused(error, lines, changed);
    if (change == FIREWALL_FAILED) return Failed(("adding the rule \"" + r.name + "\"").c_str(), error);
    // "replaced": the rule of the name was for another folder or other profiles
    platform::Print(stdout, "%s: %s: incoming UDP to port %u for %s on the %s\n", present.empty() ? "added" : "replaced",
                    r.name.c_str(), DISCOVERY_PORT, r.application.c_str(), ProfileNames(r.profiles).c_str());
    changed++;
  }
  WarnOfBlocks(reading, wanted.front().profiles);
  return EXIT_DONE;
}

int Remove(const FirewallReading& reading, const std::vector<FirewallRule>& own,
           const std::vector<std::string>& lines) {
  int changed = 0;
  for (const FirewallRule& r : own) {
    if (Named(reading, r.name).empty()) {
      platform::Print(stdout, "not there: %s\n", r.name.c_str());
      continue;
    }
    std::string error;
    const FirewallChange change = RemoveFirewallRules(r.name, error);
    if (change == FIREWALL_DENIED) return Refused(error, lines, changed);
    if (change == FIREWALL_FAILED) return Failed(("removing the rule \"" + r.name + "\"").c_str(), error);
    platform::Print(stdout, "removed: %s\n", r.name.c_str());
    changed++;
  }
  return EXIT_DONE;
}

}  // namespace

int RunFirewall(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  // the command table lets only allow and remove through
  const bool allow = std::strcmp(arguments.operands[0], "allow") == 0;
  if (!allow && options.publicProfile) return UsageError("option --public goes with firewall allow only");
  const FirewallReading reading = ReadFirewall();
  const std::vector<FirewallRule> own = OwnRules(reading.programFolder, options.publicProfile);
  std::vector<std::string> lines;
  for (const FirewallRule& r : own) lines.push_back(allow ? NetshAddLine(r) : NetshDeleteLine(r.name));
  if (!reading.policyError.empty()) return Unread("the firewall's settings", reading.policyError, lines);
  if (!reading.rulesRead) return Unread("the firewall's rules", reading.rulesError, lines);
  return allow ? Allow(reading, own, lines) : Remove(reading, own, lines);
}
