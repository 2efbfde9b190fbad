// doctor's report, as text for a person or as one JSON object for a script.
//
// JSON keys: "interfaces" (in the engine's order), each with "index",
// "address", "name" and "netmask" (empty texts when the system does not say),
// "steps" (an object of send_socket, send_multicast_loop, receive_socket,
// reuse_address, bind, join_group and receive_multicast_loop, each null when
// the step succeeded, else the system's error text), "sending" ("requests"
// sent, and multicast_interface and send, each null when it never failed, else
// {"failures", "error"} with the last failure's text), "received" (own_replies,
// other_requester, refused_layout, other_opcodes, failed_reads), "listed" and
// "unread" (device objects as search --json prints them) and "heard" (the
// addresses whose own replies arrived there); then "port_sharers" (the other
// programs with a socket on port 13579, each {"pid", "program"}: pid 0 and
// an empty program when the system does not say), on Windows "firewall" (its
// keys in cli/doctor/firewall_findings.h), "findings" (each with
// "code", "text" and "advice") and "devices_found".
#pragma once

#include <cstdio>
#include <vector>

#include "cli/doctor/findings.h"

void PrintDoctorText(std::FILE* out, const Survey& survey, const std::vector<Finding>& findings);
void PrintDoctorJson(std::FILE* out, const Survey& survey, const std::vector<Finding>& findings);
