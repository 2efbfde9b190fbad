#include "proto/wire.h"

#include <cstdio>
#include <cstring>

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

constexpr int SEARCH_REQUEST_SIZE = 1 + CLIENT_ID_SIZE;
constexpr int SHARE_LIST_LENGTH_OFFSET = 24;
constexpr int CONFIG_LENGTH_OFFSET = 56;
constexpr int CONFIG_REQUEST_HEAD_SIZE = CONFIG_LENGTH_OFFSET + 4;  // a static request's address follows

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

// Zeroes the request's `length` bytes and writes its 24-byte head; false, and
// nothing written, when `capacity` cannot hold them.
bool PutDeviceHead(std::uint8_t* out, int capacity, int length, Opcode opcode, SubCode subCode,
                   const std::uint8_t clientId[CLIENT_ID_SIZE],
                   const std::uint8_t identity[IDENTITY_SIZE]) {
  if (length > capacity) return false;
  std::memset(out, 0, length);
  out[0] = opcode;
  std::memcpy(out + CLIENT_ID_OFFSET, clientId, CLIENT_ID_SIZE);
  std::memcpy(out + IDENTITY_OFFSET, identity, IDENTITY_SIZE);
  out[21] = subCode;
  return true;
}

// A request whose body is only a length field of 0 at `lengthOffset`.
int EncodeEmptyRequest(Opcode opcode, SubCode subCode, int lengthOffset,
                       const std::uint8_t clientId[CLIENT_ID_SIZE],
                       const std::uint8_t identity[IDENTITY_SIZE], std::uint8_t* out,
                       int capacity) {
  const int length = lengthOffset + 4;
  if (!PutDeviceHead(out, capacity, length, opcode, subCode, clientId, identity)) return 0;
  PutLength(out + lengthOffset, 0);
  return length;
}

}  // namespace

std::uint32_t GetLength(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void PutLength(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
  at[2] = static_cast<std::uint8_t>(value >> 16);
  at[3] = static_cast<std::uint8_t>(value >> 24);
}

int EncodeSearchRequest(const std::uint8_t clientId[CLIENT_ID_SIZE], std::uint8_t* out,
                        int capacity) {
  if (capacity < SEARCH_REQUEST_SIZE) return 0;
  out[0] = OP_SEARCH;
  std::memcpy(out + CLIENT_ID_OFFSET, clientId, CLIENT_ID_SIZE);
  return SEARCH_REQUEST_SIZE;
}

int BuildLoginRequest(const std::uint8_t clientId[CLIENT_ID_SIZE],
                      const std::uint8_t identity[IDENTITY_SIZE], const char* user,
                      const char* password, std::uint8_t* out, int capacity) {
  const int userLength = BoundedLength(user, LOGIN_TEXT_SIZE - 1);
  const int passwordLength = BoundedLength(password, LOGIN_TEXT_SIZE - 1);
  const int length = REQUEST_HEAD_SIZE + 4 + userLength + 2 + passwordLength;
  if (!PutDeviceHead(out, capacity, length, OP_QUERY, QUERY_LOGIN, clientId, identity)) return 0;
  PutLength(out + 24, static_cast<std::uint32_t>(userLength + passwordLength + 2));
  std::uint8_t* at = out + 28;
  std::memcpy(at, user, userLength);
  at += userLength;
  std::memcpy(at, CREDENTIAL_SEPARATOR, sizeof CREDENTIAL_SEPARATOR);
  at += sizeof CREDENTIAL_SEPARATOR;
  std::memcpy(at, password, passwordLength);
  return length;
}

int BuildShareListRequest(const std::uint8_t clientId[CLIENT_ID_SIZE],
                          const std::uint8_t identity[IDENTITY_SIZE], std::uint8_t* out,
                          int capacity) {
  return EncodeEmptyRequest(OP_QUERY, QUERY_SHARES, SHARE_LIST_LENGTH_OFFSET, clientId, identity,
                            out, capacity);
}

int BuildDhcpRequest(const std::uint8_t clientId[CLIENT_ID_SIZE],
                     const std::uint8_t identity[IDENTITY_SIZE], std::uint8_t* out,
                     int capacity) {
  // The netmask and gateway fields stay zero.
  return EncodeEmptyRequest(OP_CONFIG, CONFIG_DHCP, CONFIG_LENGTH_OFFSET, clientId, identity, out,
                            capacity);
}

int BuildStaticIpRequest(const std::uint8_t clientId[CLIENT_ID_SIZE],
                         const std::uint8_t identity[IDENTITY_SIZE], const char* ipText,
                         const char* netmaskText, const char* gatewayText, std::uint8_t* out,
                         int capacity) {
  const int ipLength = BoundedLength(ipText, ADDRESS_TEXT_SIZE);
  const int length = CONFIG_REQUEST_HEAD_SIZE + ipLength;
  if (!PutDeviceHead(out, capacity, length, OP_CONFIG, CONFIG_STATIC, clientId, identity)) {
    return 0;
  }
  std::memcpy(out + NETMASK_OFFSET, netmaskText, BoundedLength(netmaskText, TEXT_FIELD_SIZE));
  std::memcpy(out + GATEWAY_OFFSET, gatewayText, BoundedLength(gatewayText, TEXT_FIELD_SIZE));
  PutLength(out + CONFIG_LENGTH_OFFSET, static_cast<std::uint32_t>(ipLength));
  std::memcpy(out + CONFIG_REQUEST_HEAD_SIZE, ipText, ipLength);
  return length;
}

bool RepliesTo(const std::uint8_t* reply, int size, const std::uint8_t clientId[CLIENT_ID_SIZE]) {
  if (size < CLIENT_ID_OFFSET + OWN_BYTES) return false;
  return std::memcmp(reply + CLIENT_ID_OFFSET, clientId, OWN_BYTES) == 0;
}

bool SearchReplyMatches(const std::uint8_t* reply, int size,
                        const std::uint8_t clientId[CLIENT_ID_SIZE], int matchCode1,
                        int matchCode2) {
  if (size < 1 || !RepliesTo(reply, size, clientId)) return false;
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

int NextShareName(const std::uint8_t* reply, int size, int from, char name[SHARE_NAME_SIZE]) {
  if (size <= QUERY_RESULT_OFFSET) return -1;
  const char* text = reinterpret_cast<const char*>(reply) + QUERY_RESULT_OFFSET;
  const int length = BoundedLength(text, size - QUERY_RESULT_OFFSET);
  int at = from;
  while (at < length && text[at] == ':') at++;
  const int start = at;
  while (at < length && text[at] != ':') at++;
  if (at == start) return -1;
  // Cut here, so two long names that agree in the kept part compare as one.
  CopyTextN(name, SHARE_NAME_SIZE, text + start, static_cast<std::size_t>(at - start));
  return at;
}
