#include "cli/doctor/firewall_findings.h"

#include "cli/firewall/rules.h"
#include "cli/text/output.h"
#include "proto/local_interfaces.h"

using namespace platform;

namespace {

const char FIREWALL_ADMIN_PROMPT[] = "From an administrator's prompt: ";

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string AllowLine(unsigned profiles) {
  return std::string("lumaseek-cli firewall allow") + ((profiles & FIREWALL_PROFILE_PUBLIC) ? " --public" : "");
}

std::string RuleNames(const std::vector<const FirewallRule*>& rules) {
  std::vector<std::string> names;
  for (const FirewallRule* r : rules) names.push_back(Quoted(r->name));
  return FirstFew(names);
}

// The verdicts of the current profiles whose settings were read.
std::vector<ProfileVerdict> CurrentVerdicts(const FirewallReading& r) {
  std::vector<ProfileVerdict> verdicts;
  const std::vector<std::string> programs = FirewallPrograms(r.programFolder);
  for (int i = 0; i < FIREWALL_PROFILE_COUNT; i++)
    if ((r.currentProfiles & FIREWALL_PROFILE_BITS[i]) && r.profiles[i].read)
      verdicts.push_back(JudgeProfile(r, i, programs, DISCOVERY_PORT));
  return verdicts;
}

// What could not be read, as "its rules (reason)"; empty when all was.
std::vector<std::string> Unread(const FirewallReading& r, const std::vector<ProfileVerdict>& current) {
  std::vector<std::string> parts;
  if (!r.profilesError.empty()) parts.push_back("its profiles (" + r.profilesError + ")");
  if (r.profilesError.empty() && current.empty()) parts.push_back("its current profile (the system names none)");
  if (!r.rulesRead) parts.push_back("its rules (" + r.rulesError + ")");
  bool off = false;
  for (const ProfileVerdict& v : current) off = off || v.firewallOff;
  if (off && !r.productsRead) parts.push_back("the other firewalls registered with it (" + r.productsError + ")");
  return parts;
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); i++) text += (i ? separator : "") + parts[i];
  return text;
}

// The rules that allow the replies on some profile, with where they allow them.
std::string AllowedElsewhere(const FirewallReading& r, unsigned missing) {
  const std::vector<std::string> programs = FirewallPrograms(r.programFolder);
  std::vector<std::string> covers;
  for (const FirewallRule& rule : r.rules) {
    if (rule.allow && RuleApplies(rule, programs, DISCOVERY_PORT, FIREWALL_PROFILE_ALL & ~missing))
      covers.push_back("the rule " + Quoted(rule.name) + " allows it on the " + ProfileNames(rule.profiles) + " only");
  }
  return covers.empty() ? "" : "; " + FirstFew(covers, "; ");
}

void RuleFindings(const FirewallReading& r, const std::vector<ProfileVerdict>& current, std::vector<Finding>& out) {
  std::vector<const FirewallRule*> blocking;
  unsigned blockedOn = 0, unallowedOn = 0, blockAllOn = 0, offOn = 0;
  for (const ProfileVerdict& v : current) {
    if (v.firewallOff) {
      offOn |= v.profile;
      continue;
    }
    if (v.blockAll) blockAllOn |= v.profile;
    if (!r.rulesRead) continue;
    for (const FirewallRule* rule : v.blocking) {
      bool known = false;
      for (const FirewallRule* b : blocking) known = known || b == rule;
      if (!known) blocking.push_back(rule);
    }
    if (!v.blocking.empty()) blockedOn |= v.profile;
    if (!v.blockAll && v.blocking.empty() && !v.letsIn) unallowedOn |= v.profile;
  }
  if (offOn && !r.products.empty()) {
    out.push_back({"firewall_off",
                   "Windows Defender Firewall is off on the current " + ProfileNames(offOn) + "; " +
                       FirstFew(r.products, " and ") + " filters the traffic instead",
                   "Let incoming UDP to port " + PortText() + " reach lumaseek.exe and lumaseek-cli.exe in the settings of " +
                       FirstFew(r.products, " and ") +
                       "; lumaseek-cli firewall allow changes only Windows Defender "
                       "Firewall."});
  }
  if (blockAllOn) {
    std::vector<std::string> lines;
    for (int i = 0; i < FIREWALL_PROFILE_COUNT; i++)
      if (blockAllOn & FIREWALL_PROFILE_BITS[i])
        lines.push_back(std::string("netsh advfirewall set ") + ProfileKey(FIREWALL_PROFILE_BITS[i]) +
                        "profile firewallpolicy blockinbound,allowoutbound");
    out.push_back({"firewall_blocks_all",
                   "the firewall blocks all incoming connections on the current " + ProfileNames(blockAllOn) +
                       ", whatever its rules allow",
                   FIREWALL_ADMIN_PROMPT + Joined(lines, "; ") +
                       " (or clear \"Block all incoming connections\" in Windows "
                       "Security), then " +
                       AllowLine(blockAllOn) + "."});
  }
  if (!blocking.empty()) {
    std::vector<std::string> lines;
    for (const FirewallRule* rule : blocking) lines.push_back(NetshDeleteLine(rule->name));
    out.push_back({"firewall_block_rule",
                   std::string(blocking.size() == 1 ? "the firewall rule " : "the firewall rules ") +
                       RuleNames(blocking) + (blocking.size() == 1 ? " blocks" : " block") +
                       " incoming UDP to port " + PortText() + " on the current " + ProfileNames(blockedOn) +
                       ", and a block rule wins over every allow rule",
                   FIREWALL_ADMIN_PROMPT + Joined(lines, "; ") + ", then " + AllowLine(blockedOn) + "."});
  }
  if (unallowedOn) {
    out.push_back({"firewall_no_allow_rule",
                   "no firewall rule lets incoming UDP to port " + PortText() + " in on the current " + ProfileNames(unallowedOn) +
                       ", which blocks what no rule allows" + AllowedElsewhere(r, unallowedOn),
                   FIREWALL_ADMIN_PROMPT + AllowLine(unallowedOn) + "."});
  }
}

std::string Reason(const ProfileVerdict& v) {
  if (v.firewallOff) return "the firewall is off";
  if (!v.allowing.empty())
    return (v.allowing.size() == 1 ? "the rule " : "the rules ") + RuleNames(v.allowing) +
           (v.allowing.size() == 1 ? " allows it" : " allow it");
  return "it allows what no rule blocks";
}

std::string NullOr(const std::string& error) { return error.empty() ? "null" : JsonString(error.c_str()); }

std::string ProfilesJson(unsigned profiles) {
  std::string json = "[";
  for (int i = 0; i < FIREWALL_PROFILE_COUNT; i++)
    if (profiles & FIREWALL_PROFILE_BITS[i])
      json += std::string(json.size() > 1 ? ", " : "") + JsonString(ProfileName(FIREWALL_PROFILE_BITS[i]));
  return json + "]";
}

const char* Bool(bool b) { return b ? "true" : "false"; }

// Another firewall filters where this one is off: what it lets in is unknown.
bool LetsInOnEvery(const std::vector<ProfileVerdict>& current, const FirewallReading& r) {
  for (const ProfileVerdict& v : current)
    if (!v.letsIn || (v.firewallOff && !r.products.empty())) return false;
  return true;
}

}  // namespace

void FirewallFindings(const FirewallReading& r, bool repliesArrived, std::vector<Finding>& out) {
  if (!r.attempted) return;
  const std::string advice = std::string("If no device answers, let the replies in from an administrator's prompt: ") +
                             AllowLine(0) + " (add --public on a public network).";
  if (!r.policyError.empty()) {
    if (repliesArrived) return;
    out.push_back({"firewall_unreadable", "the firewall's settings could not be read: " + r.policyError, advice});
    return;
  }
  const std::vector<ProfileVerdict> current = CurrentVerdicts(r);
  const std::vector<std::string> unread = Unread(r, current);
  if (!unread.empty() && !repliesArrived)
    out.push_back(
        {"firewall_unreadable", "part of the firewall's settings could not be read: " + Joined(unread, ", "), advice});
  RuleFindings(r, current, out);
}

std::string FirewallLine(const FirewallReading& r, bool repliesArrived) {
  if (!r.attempted) return "";
  const std::string arrived = "; replies arrived, so it lets them in.";
  if (!r.policyError.empty())
    return repliesArrived ? "The firewall's settings could not be read (" + r.policyError + ")" + arrived : "";
  const std::vector<ProfileVerdict> current = CurrentVerdicts(r);
  const std::vector<std::string> unread = Unread(r, current);
  if (!unread.empty())
    return repliesArrived ? "Part of the firewall's settings could not be read: " + Joined(unread, ", ") + arrived : "";
  if (!LetsInOnEvery(current, r)) return "";
  std::vector<std::string> reasons;
  for (const ProfileVerdict& v : current) reasons.push_back(std::string(ProfileName(v.profile)) + ": " + Reason(v));
  return "The firewall lets incoming UDP to port " + PortText() + " in on the current " + ProfileNames(r.currentProfiles) + " (" +
         Joined(reasons, "; ") + ").";
}

std::string FirewallJson(const FirewallReading& r) {
  std::string profiles;
  for (int i = 0; i < FIREWALL_PROFILE_COUNT; i++) {
    const FirewallProfileSettings& p = r.profiles[i];
    profiles += std::string(i ? ", " : "") + "\"" + ProfileKey(FIREWALL_PROFILE_BITS[i]) + "\": " +
                (p.read ? std::string("{\"enabled\": ") + Bool(p.enabled) +
                              ", \"block_all_inbound\": " + Bool(p.blockAllInbound) +
                              ", \"inbound_blocked_by_default\": " + Bool(p.inboundBlockedByDefault) + "}"
                        : "null");
  }
  const std::vector<std::string> programs = FirewallPrograms(r.programFolder);
  std::string rules;
  for (const FirewallRule& rule : r.rules) {
    if (!RuleApplies(rule, programs, DISCOVERY_PORT, FIREWALL_PROFILE_ALL)) continue;
    rules += std::string(rules.empty() ? "" : ", ") + "{\"name\": " + JsonString(rule.name.c_str()) +
             ", \"action\": " + (rule.allow ? "\"allow\"" : "\"block\"") +
             ", \"profiles\": " + ProfilesJson(rule.profiles) + ", \"ports\": " + JsonString(rule.localPorts.c_str()) +
             ", \"program\": " + JsonString(rule.application.c_str()) + "}";
  }
  std::string products;
  for (const std::string& p : r.products) products += (products.empty() ? "" : ", ") + JsonString(p.c_str());
  std::string letsIn = "null";
  if (r.policyError.empty()) {
    // a block, once read, tells even when the rest could not be read
    const bool all = LetsInOnEvery(CurrentVerdicts(r), r);
    if (!all || FirewallLetsRepliesIn(r)) letsIn = Bool(all);
  }
  return "{\"error\": " + NullOr(r.policyError) + ", \"current_profiles\": " + ProfilesJson(r.currentProfiles) +
         ", \"profiles\": {" + profiles + "}, \"profiles_error\": " + NullOr(r.profilesError) +
         ",\n   \"rules\": " + (r.rulesRead ? "[" + rules + "]" : "null") +
         ", \"rules_error\": " + NullOr(r.rulesError) +
         ",\n   \"products\": " + (r.productsRead ? "[" + products + "]" : "null") +
         ", \"products_error\": " + NullOr(r.productsError) + ", \"lets_replies_in\": " + letsIn + "}";
}

bool FirewallLetsRepliesIn(const FirewallReading& r) {
  if (!r.attempted || !r.policyError.empty()) return false;
  const std::vector<ProfileVerdict> current = CurrentVerdicts(r);
  return Unread(r, current).empty() && LetsInOnEvery(current, r);
}
