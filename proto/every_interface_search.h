// The command line's search: every IPv4 address the system reports, not only
// the window's first MAX_INTERFACES, searched at once. The requests, pauses,
// match codes and per-interface bound are the window's; only the interfaces'
// waits overlap, so the whole search takes what one interface takes. Its own
// table and sockets, so the window's engine tables stay as they are.
#pragma once

#include <cstdint>

#include "platform/sockets.h"
#include "proto/discovery_startup.h"
#include "proto/local_interfaces.h"

// More IPv4 addresses than any PC has; one wait watches all receive sockets.
inline constexpr int SEARCH_MAX_ADDRESSES = platform::MAX_WAITED_SOCKETS;

struct SearchInterfaceTable {
  char address[SEARCH_MAX_ADDRESSES][ADDRESS_TEXT_SIZE];
  platform::SocketHandle sendSockets[SEARCH_MAX_ADDRESSES];
  platform::SocketHandle receiveSockets[SEARCH_MAX_ADDRESSES];
  std::int32_t count;
};

// The command line's table, which its start-up opens; empty in the window.
extern SearchInterfaceTable CommandLineInterfaces;

// The interfaces of the last search, as a listed device's interfaceIndex
// names them: CommandLineInterfaces once opened, else the engine's table. How
// many; the address of interface `index` ("" when out of range); the
// interface whose receive socket is `s` (-1 for none); and whether `ip` is an
// address of this PC that either table holds.
int SearchedInterfaceCount();
const char* SearchedInterfaceAddress(int index);
int SearchedInterfaceOf(platform::SocketHandle s);
bool IsLocalAddress(const char* ip);

// Fills `table` with the addresses the host-name lookup gives, in its order
// and at most SEARCH_MAX_ADDRESSES, and opens each one's send and receive
// socket as the engine's start-up opens them, `note` hearing each step of
// interface i (its index in `table`). The socket library is started.
void OpenSearchInterfaces(SearchInterfaceTable& table, StartupNote note);

// Sends the search request of `clientId` out of every interface of `table`,
// pauses SEARCH_SEND_PAUSE_MS, sends it again out of every one and pauses
// again; then SEARCH_POLLS_PER_INTERFACE rounds, each one wait of up to
// POLL_WAIT_MICROSECONDS over every receive socket, reading at most one
// datagram from each that has one (interfaces in table order), with
// SEARCH_POLL_PAUSE_MS between rounds. A failed read is read again at once, as
// the window's search does, for at most a round's slot. DeviceList is cleared
// first and then lists each wanted reply's device, with its index in `table`;
// the first reply for an address wins. Without interfaces it only clears.
void SearchEveryInterface(const SearchInterfaceTable& table, const std::uint8_t clientId[CLIENT_ID_SIZE],
                          int matchCode1, int matchCode2);
