// Byte layouts of the discovery protocol: the requests this program builds and
// the replies it reads. Every reply is untrusted: the decoders never read past
// the bytes received and never write past a record's field.
#pragma once

#include <cstdint>

#include "proto/device_lists.h"

inline constexpr int DATAGRAM_SIZE = 4096;

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

// Each builder writes into a zeroed buffer of DATAGRAM_SIZE bytes and returns
// the request's length. The per-device builders return 0 and write nothing
// when SelectedDeviceIp names no DeviceRecord.
int BuildSearchRequest(std::uint8_t* request);
int BuildLoginRequest(std::uint8_t* request);
int BuildShareListRequest(std::uint8_t* request);
int BuildDhcpRequest(std::uint8_t* request);
int BuildStaticIpRequest(std::uint8_t* request);

// True when the reply's bytes 1 to 6 carry this run's ClientId.
bool IsOwnReply(const std::uint8_t* reply, int size);
// True for an own short search reply, or an own long one whose match codes
// agree with the search's (0 switches a code's test off).
bool SearchReplyWanted(const std::uint8_t* reply, int size, int matchCode1, int matchCode2);
// True when a search reply's fixed part and declared name fit what arrived.
bool SearchReplyFits(const std::uint8_t* reply, int size);
// "%d.%d.%d.%d" of reply bytes 17 to 20 into `out`; false when the reply is
// too short to hold them.
bool ReplyAddressText(const std::uint8_t* reply, int size, char out[ADDRESS_TEXT_SIZE]);
// Fills `out` (all but `interfaceIndex` and `next`) from a short or long
// search reply; false, and `out` unchanged, when the reply does not fit.
bool ParseSearchReply(const std::uint8_t* reply, int size, DeviceRecord& out);
// Adds the device of a short or long search reply to DeviceList unless its
// address is listed already; a malformed reply is dropped.
void DecodeSearchReply(const std::uint8_t* reply, int size, int interfaceIndex);
// Appends the ":"-separated share names of a share-list reply to ShareList.
void DecodeShareList(const std::uint8_t* reply, int size);
