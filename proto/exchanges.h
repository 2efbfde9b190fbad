// The five request/reply exchanges. Each runs to its end on the calling thread,
// polling its receive socket with a fixed 10 ms wait and fixed pauses, so its
// duration is bounded by its poll counts (a stream of uncounted polls counts
// once per slot, see uncounted_run.h).
#pragma once

#include <cstdint>

#include "proto/device_lists.h"
#include "proto/discovery_startup.h"
#include "proto/engine_messages.h"
#include "proto/interface_io.h"

// Poll and pause schedule (each poll waits POLL_WAIT_MICROSECONDS).
inline constexpr unsigned SEARCH_SEND_PAUSE_MS = 50;
inline constexpr unsigned SEARCH_POLL_PAUSE_MS = 20;
inline constexpr int SEARCH_POLLS_PER_INTERFACE = 32;
inline constexpr unsigned REPLY_POLL_PAUSE_MS = 100;
inline constexpr int LOGIN_MAX_POLLS = 11;
inline constexpr int SHARES_DRAIN_POLLS = 11;
inline constexpr int SHARES_MAX_POLLS = 21;
inline constexpr int CONFIG_MAX_POLLS = 101;

// The match codes every search of the program asks with.
inline constexpr int SEARCH_MATCH_CODE1 = 8;
inline constexpr int SEARCH_MATCH_CODE2 = 1;

// 0 for a match code switches its test off.
void SearchDevices(int matchCode1, int matchCode2);

// The exchanges with a listed device, named by its address `deviceIp`, and
// their inputs given; the command line calls these.
// Nonzero when the device accepted the credentials.
int VerifyLogin(const char* deviceIp, const char* user, const char* password);
// 1 when the device answered; ShareList then holds its shares.
int QuerySharesOf(const char* deviceIp);
// 1 when the device confirmed; its record and `newIp` then hold its new address.
int ChangeToDhcp(const char* deviceIp, char newIp[ADDRESS_TEXT_SIZE]);
// 1 when the device confirmed from `ipText`; its record then holds the new addresses.
int ChangeToStatic(const char* deviceIp, const char* ipText, const char* netmaskText,
                   const char* gatewayText);

// The same for the pages, from the texts they share (engine_messages.h).
// Nonzero when the selected device accepted LoginUserName and LoginPassword.
int VerifyDeviceLogin();
// 1 when the selected device answered; ShareList then holds its shares.
int QueryShares();
// 1 when the device confirmed; SelectedDeviceIp then names its new address.
int SetDeviceDhcp();
int SetDeviceStaticIp();

// Brings every table, list and text of the engine back to its start-of-program
// value (lists freed, sockets forgotten, not closed). For tests.
void ResetDiscoveryState();
