#include "page_requests.h"

#include "proto/engine_messages.h"
#include "proto/local_interfaces.h"
#include "proto/wire.h"

int BuildLoginRequest(std::uint8_t* request) {
  const DeviceRecord* device = FindSelectedDevice();
  return device ? EncodeLoginRequest(ClientId, device->identity, LoginUserName, LoginPassword,
                                     request, DATAGRAM_SIZE)
                : 0;
}

int BuildShareListRequest(std::uint8_t* request) {
  const DeviceRecord* device = FindSelectedDevice();
  return device ? EncodeShareListRequest(ClientId, device->identity, request, DATAGRAM_SIZE) : 0;
}

int BuildDhcpRequest(std::uint8_t* request) {
  const DeviceRecord* device = FindSelectedDevice();
  return device ? EncodeDhcpRequest(ClientId, device->identity, request, DATAGRAM_SIZE) : 0;
}

int BuildStaticIpRequest(std::uint8_t* request) {
  const DeviceRecord* device = FindSelectedDevice();
  return device ? EncodeStaticIpRequest(ClientId, device->identity, NewIpText, NewNetmaskText,
                                        NewGatewayText, request, DATAGRAM_SIZE)
                : 0;
}
