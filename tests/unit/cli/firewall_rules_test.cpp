#include <gtest/gtest.h>

#include "cli/firewall/rules.h"

namespace {

using namespace platform;

const std::vector<std::string> PROGRAMS = FirewallPrograms("C:\\Tools\\lumaSeek");

FirewallRule Rule(const char* name, bool allow, const char* ports = "13579", const char* application = "",
                  unsigned profiles = FIREWALL_PROFILE_ALL, int protocol = FIREWALL_PROTOCOL_UDP) {
  FirewallRule r;
  r.name = name;
  r.allow = allow;
  r.localPorts = ports;
  r.application = application;
  r.profiles = profiles;
  r.protocol = protocol;
  return r;
}

TEST(FirewallRules, PortsAsNumbersRangesListsAndStar) {
  const struct {
    const char* ports;
    bool includes;
  } rows[] = {
      {"13579", true},          {"13578", false},      {"13000-14000", true},
      {"13580-14000", false},   {"80,13579", true},    {"80, 443 ,13579", true},
      {"80,443", false},        {"*", true},           {"", true},
      {"RPC,RPC-EPMap", false}, {"13579-13579", true}, {"135790", false},
      {"1000-,13579", true},    {"-", false},          {"80,13500-13600", true},
  };
  for (const auto& row : rows) EXPECT_EQ(PortsInclude(row.ports, 13579), row.includes) << row.ports;
}

TEST(FirewallRules, WhichRulesApplyToTheReplies) {
  FirewallRule disabled = Rule("off", true);
  disabled.enabled = false;
  FirewallRule outbound = Rule("out", true);
  outbound.inbound = false;
  const struct {
    FirewallRule rule;
    unsigned profile;
    bool applies;
  } rows[] = {
      {Rule("every program", true), FIREWALL_PROFILE_PUBLIC, true},
      {Rule("star program", true, "13579", "*"), FIREWALL_PROFILE_PUBLIC, true},
      {Rule("cli, other case", true, "13579", "c:\\TOOLS\\LumaSeek\\LUMASEEK-CLI.EXE"), FIREWALL_PROFILE_PRIVATE, true},
      {Rule("window program", false, "*", "C:\\Tools\\lumaSeek\\lumaseek.exe"), FIREWALL_PROFILE_PRIVATE, true},
      {Rule("other copy", true, "13579", "D:\\old\\lumaseek.exe"), FIREWALL_PROFILE_PRIVATE, false},
      {Rule("other program", true, "13579", "C:\\Tools\\lumaSeek\\lumaseek-sim.exe"), FIREWALL_PROFILE_PRIVATE, false},
      {Rule("any protocol", true, "*", "", FIREWALL_PROFILE_ALL, FIREWALL_PROTOCOL_ANY), FIREWALL_PROFILE_DOMAIN, true},
      {Rule("tcp only", true, "13579", "", FIREWALL_PROFILE_ALL, FIREWALL_PROTOCOL_TCP), FIREWALL_PROFILE_DOMAIN,
       false},
      {Rule("private only", true, "13579", "", FIREWALL_PROFILE_PRIVATE), FIREWALL_PROFILE_PUBLIC, false},
      {Rule("private and public", true, "13579", "", FIREWALL_PROFILE_PRIVATE | FIREWALL_PROFILE_PUBLIC),
       FIREWALL_PROFILE_PUBLIC, true},
      {Rule("other port", true, "80"), FIREWALL_PROFILE_PUBLIC, false},
      {disabled, FIREWALL_PROFILE_PUBLIC, false},
      {outbound, FIREWALL_PROFILE_PUBLIC, false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(RuleApplies(row.rule, PROGRAMS, 13579, row.profile), row.applies) << row.rule.name;
}

FirewallReading Reading(bool blockedByDefault, std::vector<FirewallRule> rules) {
  FirewallReading r;
  r.attempted = true;
  r.rulesRead = true;
  for (FirewallProfileSettings& p : r.profiles) p = {true, true, false, blockedByDefault};
  r.rules = std::move(rules);
  return r;
}

TEST(FirewallRules, AProfileLetsTheRepliesInUnlessABlockWins) {
  const int PRIVATE = 1, PUBLIC = 2;
  const struct {
    const char* what;
    FirewallReading reading;
    int profileIndex;
    bool letsIn;
  } rows[] = {
      {"allowed by default", Reading(false, {}), PUBLIC, true},
      {"blocked by default, no rule", Reading(true, {}), PUBLIC, false},
      {"an allow rule", Reading(true, {Rule("allow", true)}), PUBLIC, true},
      {"block beats allow", Reading(true, {Rule("allow", true), Rule("block", false)}), PUBLIC, false},
      {"block beats the default", Reading(false, {Rule("block", false)}), PUBLIC, false},
      {"the allow is on the other profile", Reading(true, {Rule("allow", true, "13579", "", FIREWALL_PROFILE_PRIVATE)}),
       PUBLIC, false},
      {"the block is on the other profile",
       Reading(true, {Rule("allow", true), Rule("block", false, "13579", "", FIREWALL_PROFILE_PUBLIC)}), PRIVATE, true},
      {"a disabled block", Reading(true, {Rule("allow", true), Rule("off", false)}), PUBLIC, true},
  };
  for (const auto& row : rows) {
    FirewallReading reading = row.reading;
    for (FirewallRule& r : reading.rules) r.enabled = r.name != "off";
    EXPECT_EQ(JudgeProfile(reading, row.profileIndex, PROGRAMS, 13579).letsIn, row.letsIn) << row.what;
  }
  FirewallReading blockAll = Reading(false, {Rule("allow", true)});
  blockAll.profiles[PUBLIC].blockAllInbound = true;
  EXPECT_FALSE(JudgeProfile(blockAll, PUBLIC, PROGRAMS, 13579).letsIn);
  blockAll.profiles[PUBLIC].enabled = false;  // off lets everything in, block-all or not
  EXPECT_TRUE(JudgeProfile(blockAll, PUBLIC, PROGRAMS, 13579).letsIn);
}

TEST(FirewallRules, ProfileNames) {
  EXPECT_EQ(ProfileNames(FIREWALL_PROFILE_PUBLIC), "Public profile");
  EXPECT_EQ(ProfileNames(FIREWALL_PROFILE_DOMAIN | FIREWALL_PROFILE_PRIVATE), "Domain and Private profiles");
  EXPECT_EQ(ProfileNames(FIREWALL_PROFILE_ALL), "Domain, Private and Public profiles");
}

}  // namespace
