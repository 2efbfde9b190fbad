// firewall allow [--public] and firewall remove: inbound rules of this
// program's own in Windows Defender Firewall that let the devices' replies
// (UDP to port 13579) reach lumaseek.exe and lumaseek-cli.exe in the folder of
// the running lumaseek-cli.exe. On Linux the command says how to let them in
// with nftables or ufw instead (exit 2).
#pragma once

#include "cli/cli_commands.h"

// `action` is "allow" or "remove"; --public (allow only) adds the Public
// profile to Domain and Private.
int RunFirewall(const char* action, const CliOptions& options);
