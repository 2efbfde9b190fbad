// A share-list reply's text split into ShareList, checked against the C
// library's strtok over the same text: same names, same order, each cut to
// its field and listed once.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "proto/device_lists.h"
#include "proto/wire.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

std::vector<std::string> ReferenceSplit(const std::uint8_t* datagram, std::size_t size) {
  std::vector<std::string> names;
  if (size <= QUERY_RESULT_OFFSET) return names;
  std::string text(reinterpret_cast<const char*>(datagram) + QUERY_RESULT_OFFSET,
                   size - QUERY_RESULT_OFFSET);
  text.resize(std::strlen(text.c_str()));  // the text ends at its first zero byte
  for (char* piece = std::strtok(text.data(), ":"); piece; piece = std::strtok(nullptr, ":")) {
    std::string name(piece, std::strlen(piece) < SHARE_NAME_SIZE - 1 ? std::strlen(piece)
                                                                      : SHARE_NAME_SIZE - 1);
    bool known = false;
    for (const std::string& n : names) known = known || n == name;
    if (!known) names.push_back(name);
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > DATAGRAM_SIZE) return -1;
  // As PollInterface leaves it: the datagram, then a zero byte.
  std::vector<std::uint8_t> received(data, data + size);
  received.push_back(0);

  ClearShareList();
  DecodeShareList(received.data(), static_cast<int>(size));

  const std::vector<std::string> expected = ReferenceSplit(data, size);
  FUZZ_CHECK(ShareList.count == static_cast<int>(expected.size()));
  const ShareRecord* record = ShareList.head;
  for (const std::string& name : expected) {
    FUZZ_CHECK(record != nullptr);
    FUZZ_CHECK(memchr(record->name, '\0', SHARE_NAME_SIZE) != nullptr);
    FUZZ_CHECK(name == record->name);
    if (!record->next) FUZZ_CHECK(record == ShareList.tail);
    record = record->next;
  }
  FUZZ_CHECK(record == nullptr);
  ClearShareList();
  return 0;
}
