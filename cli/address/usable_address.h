// The command line's own check of a static configuration (the window keeps
// the IP Settings page's octet rules): a device given an address no host can
// use, or one another host holds, drops off the network, so the command line
// refuses it before anything is sent. In a subnet wider than /24 an address
// ending in .0 or .255 is an ordinary host.
#pragma once

#include <string>
#include <vector>

#include "platform/net_diagnostics.h"
#include "proto/device_lists.h"

// Empty when every field is a dotted address (address_input.h) and every
// address is one a host can use: not loopback, multicast, reserved or in
// network 0; a contiguous netmask of 1 to 30 ones; the IP address and the
// gateway neither the network nor the broadcast address of their subnet, the
// gateway inside it and not the IP address itself. Otherwise the reason,
// naming the field. On success the normalised dotted texts are written to
// the outs.
std::string CheckUsableAddresses(const char* ip, const char* netmask, const char* gateway,
                                 char ipOut[ADDRESS_TEXT_SIZE], char netmaskOut[ADDRESS_TEXT_SIZE],
                                 char gatewayOut[ADDRESS_TEXT_SIZE]);

// A warning when `ip` (normalised) lies outside the subnet of every interface
// with a netmask, loopback left out; empty when inside one, or when no
// interface has a netmask to judge by.
std::string OutsideSubnets(const char* ip, const std::vector<platform::SystemInterface>& interfaces);
// The same for this PC's interfaces.
std::string OutsideLocalSubnets(const char* ip);

// Who else answers at `ip`: a listed device other than `selected`, or this PC
// (an address of one of its interfaces); empty when no one does.
std::string AddressHolder(const char* ip, const DeviceRecord& selected, const std::vector<const DeviceRecord*>& listed);
