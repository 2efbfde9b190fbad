#include "proto/wire.h"

#include <cstdio>
#include <cstring>

#include "proto/exchanges.h"
#include "proto/text_copy.h"

namespace {

// Fixed part of each search-reply form: where the name length and name stand.
constexpr int SHORT_NAME_LENGTH_OFFSET = 56;
constexpr int LONG_NAME_LENGTH_OFFSET = 68;
constexpr int DHCP_MODE_OFFSET = 21;
constexpr int NETMASK_OFFSET = 24;
constexpr int GATEWAY_OFFSET = 40;
constexpr int TEXT_FIELD_SIZE = 16;
constexpr int IDENTITY_OFFSET = 11;
constexpr int CLIENT_ID_OFFSET = 1;
constexpr int OWN_BYTES = 6;  // only ClientId bytes 0 to 5 identify the requester
constexpr int MATCH_CODES_END = 58;  // a long search reply's bytes 56 and 57

void PutLength(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
  at[2] = static_cast<std::uint8_t>(value >> 16);
  at[3] = static_cast<std::uint8_t>(value >> 24);
}

std::uint32_t GetLength(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// Where a search reply's name length stands: a long reply has more fields before its name.
int NameLengthOffset(const std::uint8_t* reply) {
  return reply[0] == OP_SEARCH_REPLY_EXT ? LONG_NAME_LENGTH_OFFSET : SHORT_NAME_LENGTH_OFFSET;
}

// Length of a text of at most `max` characters, counted without relying on a terminator.
int BoundedLength(const char* text, int max) {
  int n = 0;
  while (n < max && text[n] != '\0') n++;
  return n;
}

// Writes the 24-byte head of a per-device request; null when no device is selected.
const DeviceRecord* BuildDeviceHead(std::uint8_t* request, Opcode opcode, SubCode subCode) {
  const DeviceRecord* device = FindSelectedDevice();
  if (!device) return nullptr;
  request[0] = opcode;
  std::memcpy(request + CLIENT_ID_OFFSET, ClientId, CLIENT_ID_SIZE);
  std::memcpy(request + IDENTITY_OFFSET, device->identity, IDENTITY_SIZE);
  request[21] = subCode;
  request[22] = 0;
  request[23] = 0;
  return device;
}

}  // namespace

int BuildSearchRequest(std::uint8_t* request) {
  request[0] = OP_SEARCH;
  std::memcpy(request + CLIENT_ID_OFFSET, ClientId, CLIENT_ID_SIZE);
  return 1 + CLIENT_ID_SIZE;
}

int BuildLoginRequest(std::uint8_t* request) {
  if (!BuildDeviceHead(request, OP_QUERY, QUERY_LOGIN)) return 0;
  const int userLength = BoundedLength(LoginUserName, LOGIN_TEXT_SIZE - 1);
  const int passwordLength = BoundedLength(LoginPassword, LOGIN_TEXT_SIZE - 1);
  PutLength(request + 24, static_cast<std::uint32_t>(userLength + passwordLength + 2));
  std::uint8_t* at = request + 28;
  std::memcpy(at, LoginUserName, userLength);
  at += userLength;
  std::memcpy(at, CREDENTIAL_SEPARATOR, sizeof CREDENTIAL_SEPARATOR);
  at += sizeof CREDENTIAL_SEPARATOR;
  std::memcpy(at, LoginPassword, passwordLength);
  return 30 + userLength + passwordLength;
}

int BuildShareListRequest(std::uint8_t* request) {
  if (!BuildDeviceHead(request, OP_QUERY, QUERY_SHARES)) return 0;
  PutLength(request + 24, 0);
  return 28;
}

int BuildDhcpRequest(std::uint8_t* request) {
  if (!BuildDeviceHead(request, OP_CONFIG, CONFIG_DHCP)) return 0;
  std::memset(request + 24, 0, 2 * TEXT_FIELD_SIZE);
  PutLength(request + 56, 0);
  return 60;
}

int BuildStaticIpRequest(std::uint8_t* request) {
  if (!BuildDeviceHead(request, OP_CONFIG, CONFIG_STATIC)) return 0;
  std::memcpy(request + 24, NewNetmaskText, BoundedLength(NewNetmaskText, TEXT_FIELD_SIZE));
  std::memcpy(request + 40, NewGatewayText, BoundedLength(NewGatewayText, TEXT_FIELD_SIZE));
  const int ipLength = BoundedLength(NewIpText, ADDRESS_TEXT_SIZE);
  PutLength(request + 56, static_cast<std::uint32_t>(ipLength));
  std::memcpy(request + 60, NewIpText, ipLength);
  return 60 + ipLength;
}

bool IsOwnReply(const std::uint8_t* reply, int size) {
  if (size < CLIENT_ID_OFFSET + OWN_BYTES) return false;
  return std::memcmp(reply + CLIENT_ID_OFFSET, ClientId, OWN_BYTES) == 0;
}

bool SearchReplyWanted(const std::uint8_t* reply, int size, int matchCode1, int matchCode2) {
  if (size < 1 || !IsOwnReply(reply, size)) return false;
  if (reply[0] == OP_SEARCH_REPLY) return true;
  if (reply[0] != OP_SEARCH_REPLY_EXT || size < MATCH_CODES_END) return false;
  return (matchCode1 == 0 || reply[56] == matchCode1) &&
         (matchCode2 == 0 || reply[57] == matchCode2);
}

bool SearchReplyFits(const std::uint8_t* reply, int size) {
  if (size < 1) return false;
  const int lengthOffset = NameLengthOffset(reply);
  const int nameOffset = lengthOffset + 4;
  return size >= nameOffset &&
         GetLength(reply + lengthOffset) <= static_cast<std::uint32_t>(size - nameOffset);
}

bool ReplyAddressText(const std::uint8_t* reply, int size, char out[ADDRESS_TEXT_SIZE]) {
  if (size < REPLY_HEAD_SIZE) return false;
  const std::uint8_t* a = reply + REPLY_ADDRESS_OFFSET;
  std::snprintf(out, ADDRESS_TEXT_SIZE, "%d.%d.%d.%d", a[0], a[1], a[2], a[3]);
  return true;
}

bool ParseSearchReply(const std::uint8_t* reply, int size, DeviceRecord& out) {
  if (!SearchReplyFits(reply, size)) return false;
  const int lengthOffset = NameLengthOffset(reply);
  const int nameOffset = lengthOffset + 4;
  const std::uint32_t nameLength = GetLength(reply + lengthOffset);

  const char* bytes = reinterpret_cast<const char*>(reply);
  ReplyAddressText(reply, size, out.ipText);
  CopyTextN(out.name, sizeof out.name, bytes + nameOffset, nameLength);
  // A field without its zero byte is cut to 15 characters rather than read on.
  CopyTextN(out.netmaskText, sizeof out.netmaskText, bytes + NETMASK_OFFSET, TEXT_FIELD_SIZE);
  CopyTextN(out.gatewayText, sizeof out.gatewayText, bytes + GATEWAY_OFFSET, TEXT_FIELD_SIZE);
  std::memcpy(out.identity, reply + IDENTITY_OFFSET, IDENTITY_SIZE);
  out.dhcpFlag[0] = bytes[DHCP_MODE_OFFSET];
  out.dhcpFlag[1] = '\0';
  return true;
}

void DecodeSearchReply(const std::uint8_t* reply, int size, int interfaceIndex) {
  DeviceRecord found{};
  if (!ParseSearchReply(reply, size, found) || DeviceIpKnown(found.ipText)) return;
  AppendDevice(found.name, found.ipText, found.netmaskText, found.gatewayText, found.identity,
               found.dhcpFlag, interfaceIndex);
}

void DecodeShareList(const std::uint8_t* reply, int size) {
  if (size <= QUERY_RESULT_OFFSET) return;
  const char* text = reinterpret_cast<const char*>(reply) + QUERY_RESULT_OFFSET;
  const int length = BoundedLength(text, size - QUERY_RESULT_OFFSET);
  int at = 0;
  while (at < length) {
    while (at < length && text[at] == ':') at++;
    const int start = at;
    while (at < length && text[at] != ':') at++;
    if (at == start) break;
    // Cut before comparing, so two long names that agree in the kept part stay one record.
    char name[SHARE_NAME_SIZE];
    CopyTextN(name, sizeof name, text + start, static_cast<std::size_t>(at - start));
    if (!ShareKnown(name)) AppendShare(name);
  }
}
