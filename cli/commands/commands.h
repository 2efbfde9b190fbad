// The handlers of lumaseek-cli's commands, one file each in this folder, named
// by the command table (table.cpp). Each returns the exit status.
#pragma once

#include "cli/command_line/arguments.h"

// 0 when a device answered, 1 otherwise.
int RunSearch(const Arguments& arguments);
int RunWatch(const Arguments& arguments);
// One search as the program runs it, then a report of what each interface
// saw and why devices may be missing: 0 when a device was found, 1 otherwise.
int RunDoctor(const Arguments& arguments);
int RunShares(const Arguments& arguments);
int RunLogin(const Arguments& arguments);
int RunSetDhcp(const Arguments& arguments);
int RunSetStatic(const Arguments& arguments);
// Maps \\ADDRESS\SHARE to LETTER (default: the first free letter the Drive
// Mapping page offers) as a persistent connection, with the page's attempts,
// and prints the letter; on Linux says how to mount the share (exit 2).
int RunMap(const Arguments& arguments);
// Disconnects LETTER as the page does; on Linux says how to unmount (exit 2).
int RunUnmap(const Arguments& arguments);
// Lists each connected letter with the device that answers at its address
// (one search, only when a letter is connected); 0. On Linux says how to
// remount a share (exit 2).
int RunDrives(const Arguments& arguments);
// Moves the letters of \\OLD-ADDRESS\SHARE to DEVICE's address (see
// MoveDriveLetters): 0 when every letter moved (or none was connected), 1
// when one could not, 2 for an OLD-ADDRESS that is no address. On Linux says
// how to remount a share (exit 2).
int RunRemap(const Arguments& arguments);
// A device's web page, or its share root, as the Search Device page's
// "Configure" and "OK" open them; on Linux through xdg-open.
int RunOpen(const Arguments& arguments);
// firewall allow [--public] and firewall remove: inbound rules of this
// program's own in Windows Defender Firewall that let the devices' replies
// (UDP to port 13579) reach lumaseek.exe and lumaseek-cli.exe in the folder of
// the running lumaseek-cli.exe, on Domain and Private networks (--public:
// Public too). On Linux says how to let them in with nftables or ufw (exit 2).
int RunFirewall(const Arguments& arguments);
int RunVersion(const Arguments& arguments);
// The shell completion script for bash, zsh or fish, made from the command table.
int RunCompletion(const Arguments& arguments);
