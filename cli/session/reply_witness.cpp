#include "cli/session/reply_witness.h"

#include <cstring>

#include "proto/engine_tally.h"
#include "proto/exchanges.h"
#include "proto/wire.h"

int ReplyWitness::Receive(platform::SocketHandle s, std::uint8_t* buffer, int capacity) {
  const int size = PassThroughSockets::Receive(s, buffer, capacity);
  if (size <= 0) return size;
  const int read = size < capacity ? size : capacity;
  if (buffer[0] == OP_QUERY_REPLY && read > QUERY_RESULT_OFFSET && IsOwnReply(buffer, read)) {
    char from[ADDRESS_TEXT_SIZE];
    ReplyAddressText(buffer, read, from);
    queryReplies_[from]++;
    return size;
  }
  if (SearchDatagramKind(buffer, read, SEARCH_MATCH_CODE1, SEARCH_MATCH_CODE2) != RECEIVED_OWN_REPLY) return size;
  const int i = SearchedInterfaceOf(s);
  if (i < 0) return size;
  DeviceRecord device{};
  ParseSearchReply(buffer, read, device);
  device.interfaceIndex = i;
  for (const DeviceRecord& seen : answers_[i]) {
    if (std::strcmp(seen.ipText, device.ipText) == 0 && std::memcmp(seen.identity, device.identity, IDENTITY_SIZE) == 0)
      return size;
  }
  answers_[i].push_back(device);
  return size;
}

int ReplyWitness::QueryRepliesFrom(const char* ip) const {
  const auto found = queryReplies_.find(ip);
  return found == queryReplies_.end() ? 0 : found->second;
}
