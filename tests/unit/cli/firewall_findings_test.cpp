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

TEST(FirewallFindings, EachCauseNamedWithItsFixElseOneLineWhenTheRepliesGetIn) {
  FirewallReading blockAll = Reading({Rule("ok", true, FIREWALL_PROFILE_ALL)});
  blockAll.profiles[2].blockAllInbound = true;
  FirewallReading off = Reading();
  off.profiles[2].enabled = false;
  off.products = {"Norton Firewall"};
  FirewallReading offUnlisted = off;
  offUnlisted.productsRead = false;
  offUnlisted.productsError = "error 0x80040111";
  FirewallReading unreadable = Reading();
  unreadable.policyError = "Access is denied (0x80070005)";
  FirewallReading noRules = Reading();
  noRules.rulesRead = false;
  noRules.rulesError = "Not implemented (0x80004001)";
  FirewallReading allowed = Reading({Rule("lumaSeek replies", true, FIREWALL_PROFILE_ALL),
                                     Rule("old block", false, FIREWALL_PROFILE_ALL)});
  allowed.rules[1].enabled = false;
  FirewallReading offTwice = Reading();
  offTwice.currentProfiles = FIREWALL_PROFILE_PRIVATE | FIREWALL_PROFILE_DOMAIN;
  offTwice.profiles[0].enabled = offTwice.profiles[1].enabled = false;
  const struct {
    const char* what;
    FirewallReading reading;
    bool repliesArrived;
    const char* codes;
    std::vector<const char*> says;
    const char* line;
  } rows[] = {
      {"a block rule beats the allow rule",
       Reading({Rule("lumaseek.exe", false, FIREWALL_PROFILE_PUBLIC, "C:\\LUMASEEK\\lumaseek.exe"),
                Rule("lumaSeek replies", true, FIREWALL_PROFILE_ALL)}),
       false,
       "firewall_block_rule",
       {"the firewall rule \"lumaseek.exe\" blocks incoming UDP to port 13579 on the current Public profile",
        "netsh advfirewall firewall delete rule name=\"lumaseek.exe\", then lumaseek-cli firewall allow --public."},
       ""},
      {"the allow rule covers another profile",
       Reading({Rule("lumaseek-cli.exe", true, FIREWALL_PROFILE_PRIVATE, "c:\\lumaseek\\LUMASEEK-CLI.EXE")}),
       false,
       "firewall_no_allow_rule",
       {"on the current Public profile, which blocks what no rule allows; the rule \"lumaseek-cli.exe\" allows it on "
        "the Private profile only",
        "From an administrator's prompt: lumaseek-cli firewall allow --public."},
       ""},
      {"block-all",
       blockAll,
       false,
       "firewall_blocks_all",
       {"blocks all incoming connections on the current Public profile",
        "netsh advfirewall set publicprofile firewallpolicy blockinbound,allowoutbound"},
       ""},
      {"off, another product filters", off, false, "firewall_off",
       {"is off on the current Public profile; Norton Firewall"}, ""},
      {"off, the other firewalls unread", offUnlisted, true, "firewall_off", {},
       "Part of the firewall's settings could not be read: the other firewalls registered with it (error "
       "0x80040111); replies arrived, so it lets them in."},
      {"the policy unreadable", unreadable, false, "firewall_unreadable",
       {"could not be read: Access is denied (0x80070005)", "lumaseek-cli firewall allow"}, ""},
      {"the rules unreadable", noRules, false, "firewall_unreadable", {"its rules (Not implemented (0x80004001))"}, ""},
      {"a rule for another program", Reading({Rule("other", true, FIREWALL_PROFILE_ALL, "C:\\other.exe")}), false,
       "firewall_no_allow_rule", {}, ""},
      {"allowed, a disabled block", allowed, false, "", {},
       "The firewall lets incoming UDP to port 13579 in on the current Public profile (Public: the rule "
       "\"lumaSeek replies\" allows it)."},
      {"off on both current profiles", offTwice, false, "", {},
       "The firewall lets incoming UDP to port 13579 in on the current Domain and Private profiles (Domain: the "
       "firewall is off; Private: the firewall is off)."},
      // Replies that arrived show the firewall let them in, whatever could not be read.
      {"unreadable, replies arrived", unreadable, true, "", {},
       "The firewall's settings could not be read (Access is denied (0x80070005)); replies arrived, so it lets "
       "them in."},
  };
  for (const auto& row : rows) {
    const Outcome o = Judge(row.reading, row.repliesArrived);
    EXPECT_EQ(o.codes, row.codes) << row.what << "\n" << o.texts;
    for (const char* text : row.says) EXPECT_NE(o.texts.find(text), std::string::npos) << row.what << "\n" << o.texts;
    EXPECT_EQ(o.line, row.line) << row.what;
  }
}

TEST(FirewallFindings, JsonNamesTheRulesThatApplyAndWhatWasNotRead) {
  FirewallReading r =
      Reading({Rule("tcp", true, 1), Rule("block it", false, FIREWALL_PROFILE_DOMAIN | FIREWALL_PROFILE_PUBLIC)});
  r.rules[0].protocol = FIREWALL_PROTOCOL_TCP;
  r.productsRead = false;
  r.productsError = "error 0x80040111";
  const std::string json = FirewallJson(r);
  EXPECT_NE(json.find("\"current_profiles\": [\"Public\"]"), std::string::npos) << json;
  EXPECT_NE(json.find("\"rules\": [{\"name\": \"block it\", \"action\": \"block\", "
                      "\"profiles\": [\"Domain\", \"Public\"], \"ports\": \"13579\", \"program\": \"\"}]"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"products\": null, \"products_error\": \"error 0x80040111\", \"lets_replies_in\": false"),
            std::string::npos)
      << json;
}

}  // namespace
