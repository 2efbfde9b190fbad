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
