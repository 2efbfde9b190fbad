#include "page_requests.h"

#include "proto/engine_messages.h"
#include "proto/local_interfaces.h"
#include "proto/wire.h"

int PageLoginRequest(std::uint8_t* request) {
  const DeviceRecord* device = FindSelectedDevice();
  return device ? BuildLoginRequest(ClientId, device->identity, LoginUserName, LoginPassword,
                                    request, DATAGRAM_SIZE)
                : 0;
}

int PageShareListRequest(std::uint8_t* request) {
  const DeviceRecord* device = FindSelectedDevice();
  return device ? BuildShareListRequest(ClientId, device->identity, request, DATAGRAM_SIZE) : 0;
}

int PageDhcpRequest(std::uint8_t* request) {
  const DeviceRecord* device = FindSelectedDevice();
  return device ? BuildDhcpRequest(ClientId, device->identity, request, DATAGRAM_SIZE) : 0;
}

int PageStaticIpRequest(std::uint8_t* request) {
  const DeviceRecord* device = FindSelectedDevice();
  return device ? BuildStaticIpRequest(ClientId, device->identity, NewIpText, NewNetmaskText,
                                       NewGatewayText, request, DATAGRAM_SIZE)
                : 0;
}
