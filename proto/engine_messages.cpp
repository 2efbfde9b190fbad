#include "proto/engine_messages.h"

char SelectedDeviceIp[ADDRESS_TEXT_SIZE];
char LoginUserName[LOGIN_TEXT_SIZE];
char LoginPassword[LOGIN_TEXT_SIZE];
char NewIpText[ADDRESS_TEXT_SIZE];
char NewNetmaskText[ADDRESS_TEXT_SIZE];
char NewGatewayText[ADDRESS_TEXT_SIZE];

DeviceRecord* FindSelectedDevice() { return FindDevice(SelectedDeviceIp); }

bool IsOwnReply(const std::uint8_t* reply, int size) { return RepliesTo(reply, size, ClientId); }

bool SearchReplyWanted(const std::uint8_t* reply, int size, int matchCode1, int matchCode2) {
  return SearchReplyMatches(reply, size, ClientId, matchCode1, matchCode2);
}

int BuildSearchRequest(std::uint8_t* request) {
  return EncodeSearchRequest(ClientId, request, DATAGRAM_SIZE);
}

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
