// A drive letter's remote name, as many bytes as the input and without a
// terminator, split into server and share: never read past the bytes, both
// texts terminated within their fields, and put together again they give the
// name back up to the cuts.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "drivemap/drive_tables.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > REMOTE_NAME_SIZE) return -1;
  // exactly `size` bytes on the heap, so a read past them is a finding
  std::unique_ptr<char[]> remote(new char[size ? size : 1]);
  if (size) std::memcpy(remote.get(), data, size);

  char server[SERVER_TEXT_SIZE];
  char share[SHARE_TEXT_SIZE];
  std::memset(server, 'S', sizeof server);
  std::memset(share, 'H', sizeof share);
  if (!SplitRemoteName(remote.get(), size, server, share)) {
    FUZZ_CHECK(server[0] == 'S' && share[0] == 'H');  // untouched
    return 0;
  }
  FUZZ_CHECK(std::memchr(server, '\0', sizeof server) != nullptr);
  FUZZ_CHECK(std::memchr(share, '\0', sizeof share) != nullptr);

  std::string name(remote.get(), size);
  name.resize(std::strlen(name.c_str()));
  std::size_t split = name.find('\\', 2);
  FUZZ_CHECK(split != std::string::npos);
  std::string expectServer = name.substr(2, split - 2).substr(0, SERVER_TEXT_SIZE - 1);
  std::string expectShare = name.substr(split + 1).substr(0, SHARE_TEXT_SIZE - 1);
  FUZZ_CHECK(expectServer == server);
  FUZZ_CHECK(expectShare == share);
  return 0;
}
