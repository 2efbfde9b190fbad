// The per-device requests as the window's pages make them, from the engine's
// shared state (SelectedDeviceIp, the login and the new address texts), into
// a zeroed buffer of DATAGRAM_SIZE bytes: their length, or 0 and nothing
// written when SelectedDeviceIp names no DeviceRecord. The tests pin every
// byte the pages send through these.
#pragma once

#include <cstdint>

int PageLoginRequest(std::uint8_t* request);
int PageShareListRequest(std::uint8_t* request);
int PageDhcpRequest(std::uint8_t* request);
int PageStaticIpRequest(std::uint8_t* request);
