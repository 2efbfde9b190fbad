// Byte layouts of the discovery protocol: the requests this program builds and
// the replies it reads, as functions of their arguments alone. Every reply is
// untrusted: the decoders never read past the bytes received and never write
// past a record's field.
#pragma once

#include <cstdint>

#include "proto/device_record.h"

inline constexpr int DATAGRAM_SIZE = 4096;
inline constexpr int LOGIN_TEXT_SIZE = 17;  // 16 characters and a terminator
// The credential a device accepts out of the box, as user name and password.
inline constexpr char DEFAULT_CREDENTIAL[] = "kemsa";

enum Opcode : std::uint8_t {
  OP_SEARCH = 1,
  OP_SEARCH_REPLY = 2,
  OP_QUERY = 3,
  OP_QUERY_REPLY = 4,
  OP_CONFIG = 5,
  OP_CONFIG_REPLY = 6,
  OP_SEARCH_REPLY_EXT = 7,
};

enum SubCode : std::uint8_t {
  CONFIG_STATIC = 1,
  CONFIG_DHCP = 2,
  QUERY_SHARES = 3,
  QUERY_LOGIN = 4,
};

inline constexpr std::uint8_t CREDENTIAL_SEPARATOR[2] = {0x55, 0xAA};

// Offsets shared by the layouts.
inline constexpr int REQUEST_HEAD_SIZE = 24;
inline constexpr int REPLY_HEAD_SIZE = 21;
inline constexpr int REPLY_ADDRESS_OFFSET = 17;
inline constexpr int QUERY_RESULT_OFFSET = 28;

// Each encoder writes a whole request for the requester `clientId` into `out`
// and returns its length; 0, and nothing written, when `capacity` is too small.
// The per-device requests name the device by its `identity`; texts are cut to
// their fields (credentials to LOGIN_TEXT_SIZE - 1 characters) and need not be
// terminated within them.
int EncodeSearchRequest(const std::uint8_t clientId[CLIENT_ID_SIZE], std::uint8_t* out,
                        int capacity);
int BuildLoginRequest(const std::uint8_t clientId[CLIENT_ID_SIZE],
                      const std::uint8_t identity[IDENTITY_SIZE], const char* user,
                      const char* password, std::uint8_t* out, int capacity);
int BuildShareListRequest(const std::uint8_t clientId[CLIENT_ID_SIZE],
                          const std::uint8_t identity[IDENTITY_SIZE], std::uint8_t* out,
                          int capacity);
int BuildDhcpRequest(const std::uint8_t clientId[CLIENT_ID_SIZE],
                     const std::uint8_t identity[IDENTITY_SIZE], std::uint8_t* out,
                     int capacity);
int BuildStaticIpRequest(const std::uint8_t clientId[CLIENT_ID_SIZE],
                         const std::uint8_t identity[IDENTITY_SIZE], const char* ipText,
                         const char* netmaskText, const char* gatewayText, std::uint8_t* out,
                         int capacity);

// True when the reply's bytes 1 to 6 carry bytes 0 to 5 of `clientId`.
bool RepliesTo(const std::uint8_t* reply, int size, const std::uint8_t clientId[CLIENT_ID_SIZE]);
// True for a short search reply to `clientId`, or a long one whose match codes
// agree with the search's (0 switches a code's test off).
bool SearchReplyMatches(const std::uint8_t* reply, int size,
                        const std::uint8_t clientId[CLIENT_ID_SIZE], int matchCode1,
                        int matchCode2);
// True when a search reply's fixed part and declared name fit what arrived.
bool SearchReplyFits(const std::uint8_t* reply, int size);
// "%d.%d.%d.%d" of reply bytes 17 to 20 into `out`; false when the reply is
// too short to hold them.
bool ReplyAddressText(const std::uint8_t* reply, int size, char out[ADDRESS_TEXT_SIZE]);
// Fills `out` (all but `interfaceIndex` and `next`) from a short or long
// search reply; false, and `out` unchanged, when the reply does not fit.
bool ParseSearchReply(const std::uint8_t* reply, int size, DeviceRecord& out);
// The share-list reply's ":"-separated names one by one: the next name at or
// after text position `from` into `name` (cut to its field) and the position
// after it, or -1 when no name follows. Start with `from` 0.
int NextShareName(const std::uint8_t* reply, int size, int from, char name[SHARE_NAME_SIZE]);

// The 32-bit little-endian length fields of the layouts, both sides.
std::uint32_t GetLength(const std::uint8_t* at);
void PutLength(std::uint8_t* at, std::uint32_t value);
