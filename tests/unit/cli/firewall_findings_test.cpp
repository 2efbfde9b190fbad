#include <gtest/gtest.h>

#include "cli/doctor/firewall_findings.h"

namespace {

using namespace platform;

const char FOLDER[] = "C:\\lumaSeek";

FirewallRule Rule(const char* name, bool allow, unsigned profiles, const char* application = "") {
  FirewallRule r;
  r.name = name;
  r.allow = allow;
  r.protocol = FIREWALL_PROTOCOL_UDP;
  r.localPorts = "13579";
  r.application = application;
  r.profiles = profiles;
  return r;
}

// The firewall on, inbound blocked by default, the Public profile current.
FirewallReading Reading(std::vector<FirewallRule> rules = {}) {
  FirewallReading r;
  r.attempted = true;
  r.programFolder = FOLDER;
  r.currentProfiles = FIREWALL_PROFILE_PUBLIC;
  for (FirewallProfileSettings& p : r.profiles) p = {true, true, false, true};
  r.rulesRead = r.productsRead = true;
  r.rules = std::move(rules);
  return r;
}

struct Outcome {
  std::string codes, texts, line;
};

Outcome Judge(const FirewallReading& r, bool repliesArrived = false) {
  std::vector<Finding> findings;
  FirewallFindings(r, repliesArrived, findings);
  Outcome o;
  for (const Finding& f : findings) {
    o.codes += (o.codes.empty() ? "" : " ") + std::string(f.code);
    o.texts += f.text + " | " + f.advice + "\n";
  }
  o.line = FirewallLine(r, repliesArrived);
  return o;
}

TEST(FirewallFindings, EachCauseNamedWithTheCommandsThatFixIt) {
  FirewallReading blockAll = Reading({Rule("ok", true, FIREWALL_PROFILE_ALL)});
  blockAll.profiles[2].blockAllInbound = true;
  FirewallReading off = Reading();
  off.profiles[2].enabled = false;
  off.products = {"Norton Firewall"};
  FirewallReading unreadable = Reading();
  unreadable.policyError = "Access is denied (0x80070005)";
  FirewallReading noRules = Reading();
  noRules.rulesRead = false;
  noRules.rulesError = "Not implemented (0x80004001)";
  const struct {
    const char* what;
    FirewallReading reading;
    const char* codes;
    std::vector<const char*> says;
  } rows[] = {
      {"a block rule beats the allow rule",
       Reading({Rule("lumaseek.exe", false, FIREWALL_PROFILE_PUBLIC, "C:\\LUMASEEK\\lumaseek.exe"),
                Rule("lumaSeek replies", true, FIREWALL_PROFILE_ALL)}),
       "firewall_block_rule",
       {"the firewall rule \"lumaseek.exe\" blocks incoming UDP to port 13579 on the current Public profile",
        "netsh advfirewall firewall delete rule name=\"lumaseek.exe\", then lumaseek-cli firewall allow --public."}},
      {"the allow rule covers another profile",
       Reading({Rule("lumaseek-cli.exe", true, FIREWALL_PROFILE_PRIVATE, "c:\\lumaseek\\LUMASEEK-CLI.EXE")}),
       "firewall_no_allow_rule",
       {"on the current Public profile, which blocks what no rule allows; the rule \"lumaseek-cli.exe\" allows it on "
        "the Private profile only",
        "From an administrator's prompt: lumaseek-cli firewall allow --public."}},
      {"block-all",
       blockAll,
       "firewall_blocks_all",
       {"blocks all incoming connections on the current Public profile",
        "netsh advfirewall set publicprofile firewallpolicy blockinbound,allowoutbound"}},
      {"off, another product filters", off, "firewall_off", {"is off on the current Public profile; Norton Firewall"}},
      {"the policy unreadable",
       unreadable,
       "firewall_unreadable",
       {"could not be read: Access is denied (0x80070005)", "lumaseek-cli firewall allow"}},
      {"the rules unreadable", noRules, "firewall_unreadable", {"its rules (Not implemented (0x80004001))"}},
      {"a rule for another program and a disabled block",
       Reading({Rule("other", true, FIREWALL_PROFILE_ALL, "C:\\other.exe")}),
       "firewall_no_allow_rule",
       {}},
  };
  for (const auto& row : rows) {
    const Outcome o = Judge(row.reading);
    EXPECT_EQ(o.codes, row.codes) << row.what << "\n" << o.texts;
    for (const char* text : row.says) EXPECT_NE(o.texts.find(text), std::string::npos) << row.what << "\n" << o.texts;
    EXPECT_EQ(o.line, "") << row.what;
  }
}

TEST(FirewallFindings, OneLineWhenTheRepliesGetIn) {
  FirewallReading allowed = Reading({Rule("lumaSeek replies", true, FIREWALL_PROFILE_ALL)});
  FirewallRule disabledBlock = Rule("old block", false, FIREWALL_PROFILE_ALL);
  disabledBlock.enabled = false;
  allowed.rules.push_back(disabledBlock);
  Outcome o = Judge(allowed);
  EXPECT_EQ(o.codes, "");
  EXPECT_EQ(o.line,
            "The firewall lets incoming UDP to port 13579 in on the current Public profile (Public: the rule "
            "\"lumaSeek replies\" allows it).");
  FirewallReading off = Reading();
  off.currentProfiles = FIREWALL_PROFILE_PRIVATE | FIREWALL_PROFILE_DOMAIN;
  off.profiles[0].enabled = off.profiles[1].enabled = false;
  EXPECT_NE(Judge(off).line.find("(Domain: the firewall is off; Private: the firewall is off)"), std::string::npos);

  // Replies that arrived show the firewall let them in, whatever could not be read.
  FirewallReading unreadable = Reading();
  unreadable.policyError = "Class not registered (0x80040154)";
  o = Judge(unreadable, true);
  EXPECT_EQ(o.codes, "");
  EXPECT_EQ(o.line,
            "The firewall's settings could not be read (Class not registered (0x80040154)); replies arrived, "
            "so it lets them in.");
}

TEST(FirewallFindings, JsonNamesTheRulesThatApplyAndWhatWasNotRead) {
  FirewallReading r = Reading({Rule("block it", false, FIREWALL_PROFILE_PUBLIC), Rule("tcp", true, 1)});
  r.rules[1].protocol = FIREWALL_PROTOCOL_TCP;
  r.productsRead = false;
  r.productsError = "error 0x80040111";
  const std::string json = FirewallJson(r);
  EXPECT_NE(json.find("\"current_profiles\": [\"Public\"]"), std::string::npos) << json;
  EXPECT_NE(json.find("\"rules\": [{\"name\": \"block it\", \"action\": \"block\", \"profiles\": [\"Public\"], "
                      "\"ports\": \"13579\", \"program\": \"\"}]"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"products\": null, \"products_error\": \"error 0x80040111\", \"lets_replies_in\": false"),
            std::string::npos)
      << json;
}

}  // namespace
