// The engine's start-up state (filled by DiscoveryStartup): the PC's IPv4 addresses, one send and one
// receive socket per address, and this run's requester identifier.
#pragma once

#include <cstdint>

#include "platform/sockets.h"

inline constexpr int MAX_INTERFACES = 8;
inline constexpr int ADDRESS_TEXT_SIZE = 16;  // "255.255.255.255" and its terminator
inline constexpr int CLIENT_ID_SIZE = 10;
inline constexpr std::uint16_t DISCOVERY_PORT = 13579;
inline constexpr char DISCOVERY_GROUP[] = "224.0.0.1";

struct LocalInterfaces {
  char address[MAX_INTERFACES][ADDRESS_TEXT_SIZE];
  std::int32_t count;
};

extern LocalInterfaces LocalInterfaceTable;
extern platform::SocketHandle SendSockets[MAX_INTERFACES];
extern platform::SocketHandle ReceiveSockets[MAX_INTERFACES];
extern std::uint8_t ClientId[CLIENT_ID_SIZE];

// Fills LocalInterfaceTable from the host-name lookup and makes ClientId.
void BuildLocalInterfaceTable();
// Makes ClientId alone, from the time of day.
void MakeClientId();
