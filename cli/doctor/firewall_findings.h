// What doctor says of Windows Defender Firewall: which rule or profile keeps
// the devices' replies (incoming UDP to port 13579) out, and the commands that
// let them in; one line when it lets them in; and what it read, as JSON.
//
// JSON (the "firewall" key of doctor --json, on Windows only): "error" (null,
// or the system's text when the firewall could not be asked at all),
// "current_profiles" (names such as "Private"), "profiles" ("domain",
// "private" and "public", each null when unread, else {"enabled",
// "block_all_inbound", "inbound_blocked_by_default"}), "profiles_error",
// "rules" (the enabled inbound rules that apply to the replies on some
// profile, each {"name", "action" ("allow" or "block"), "profiles", "ports",
// "program" (empty: every program)}), "rules_error", "products" (third-party
// firewalls), "products_error" (each *_error null or the system's text) and
// "lets_replies_in" (null when what was read cannot tell).
#pragma once

#include <string>
#include <vector>

#include "cli/doctor/finding_text.h"
#include "platform/firewall.h"

// When replies arrived, what could not be read is no finding: the firewall
// evidently let them in.
void FirewallFindings(const platform::FirewallReading& reading, bool repliesArrived, std::vector<Finding>& out);
// The line saying that the firewall lets the replies in on every current
// profile and why, or, when replies arrived, what could not be read; empty
// otherwise (a finding then says it).
std::string FirewallLine(const platform::FirewallReading& reading, bool repliesArrived);
std::string FirewallJson(const platform::FirewallReading& reading);
// Known to let the replies in on every current profile.
bool FirewallLetsRepliesIn(const platform::FirewallReading& reading);
