// The command line's own check of a static configuration, on top of the IP
// Settings page's rules (which the window keeps as they are): a device given
// an address no host can use, or one another host holds, drops off the
// network, so the command line refuses it before anything is sent.
#pragma once

#include <string>
#include <vector>

#include "proto/device_lists.h"

// Empty when the addresses pass the page's rules and every address is one a
// host can use: not loopback, multicast, reserved or in network 0; a
// contiguous netmask of 1 to 30 ones; the IP address and the gateway neither
// the network nor the broadcast address of their subnet, the gateway inside
// it. Otherwise the reason, naming the field. On success the normalised
// dotted texts are written to the outs.
std::string CheckUsableAddresses(const char* ip, const char* netmask, const char* gateway,
                                 char ipOut[ADDRESS_TEXT_SIZE], char netmaskOut[ADDRESS_TEXT_SIZE],
                                 char gatewayOut[ADDRESS_TEXT_SIZE]);

// Who else answers at `ip`: a listed device other than `selected`, or this PC
// (an address of one of its interfaces); empty when no one does.
std::string AddressHolder(const char* ip, const DeviceRecord& selected, const std::vector<const DeviceRecord*>& listed);
