// This run's messages from the engine's process-wide state: ClientId, and the
// selected device and texts that the window's pages share and set before they
// call an exchange. The exchanges read this state here and hand it to the wire
// layer, which takes everything as arguments.
#pragma once

#include <cstdint>

#include "proto/device_lists.h"
#include "proto/wire.h"

// Inputs the pages set before they call an exchange.
extern char SelectedDeviceIp[ADDRESS_TEXT_SIZE];
extern char LoginUserName[LOGIN_TEXT_SIZE];
extern char LoginPassword[LOGIN_TEXT_SIZE];
extern char NewIpText[ADDRESS_TEXT_SIZE];
extern char NewNetmaskText[ADDRESS_TEXT_SIZE];
extern char NewGatewayText[ADDRESS_TEXT_SIZE];

// First record whose ipText equals SelectedDeviceIp, or nullptr.
DeviceRecord* FindSelectedDevice();

// True when the reply's bytes 1 to 6 carry this run's ClientId.
bool IsOwnReply(const std::uint8_t* reply, int size);
// SearchReplyMatches for this run's ClientId.
bool SearchReplyWanted(const std::uint8_t* reply, int size, int matchCode1, int matchCode2);

// This run's search request, byte for byte, into a zeroed buffer of
// DATAGRAM_SIZE bytes: its length.
int BuildSearchRequest(std::uint8_t* request);
