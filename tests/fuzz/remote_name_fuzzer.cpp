// The drive tables fed with any remote names the PC's connections may report
// and any share names a device may send. Checked against a plain reading of
// the split ("\\server\share": the first backslash from position 2 splits,
// the server part is cut to 131 characters, the share part to 255; a name
// without that backslash keeps the row's previous texts) and of the share
// cells (each share, then its letters, at most 256 cells, in order).
//
// Input: newline-separated pieces; the first 26 are the remote names of A: to
// Z: (empty: no connection), the rest are share names. The whole input is also
// split directly, unterminated.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/netconn_memory.h"
#include "proto/device_lists.h"
#include "shared/drive_tables.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

struct Split {
  bool done = false;
  std::string server, share;
};

Split ReferenceSplit(const std::string& remote) {
  Split s;
  const std::string r = remote.substr(0, remote.find('\0'));
  const std::size_t p = r.size() > 2 ? r.find('\\', 2) : std::string::npos;
  if (p == std::string::npos) return s;
  s.done = true;
  s.server = r.substr(2, p - 2).substr(0, SERVER_TEXT_SIZE - 1);
  s.share = r.substr(p + 1).substr(0, SHARE_TEXT_SIZE - 1);
  // The copies end at a zero byte as well; none is left by the find above.
  return s;
}

bool Terminated(const char* text, std::size_t size) { return std::memchr(text, '\0', size) != nullptr; }

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); i++) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

bool AnyServer(const char*) { return true; }

void CheckDirectSplit(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so a read past `size` is a sanitizer finding (never
  // null: the callers always pass a buffer).
  std::vector<char> remote(data, data + size);
  remote.reserve(1);
  char server[SERVER_TEXT_SIZE] = "old-server";
  char share[SHARE_TEXT_SIZE] = "old-share";
  const bool done = SplitRemoteName(remote.data(), remote.size(), server, share);
  const Split expected = ReferenceSplit(std::string(remote.begin(), remote.end()));
  FUZZ_CHECK(done == expected.done);
  FUZZ_CHECK(std::string(server) == (done ? expected.server : "old-server"));
  FUZZ_CHECK(std::string(share) == (done ? expected.share : "old-share"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 64 * 1024) return -1;
  CheckDirectSplit(data, size);

  std::vector<std::string> pieces(1);
  for (std::size_t i = 0; i < size; i++) {
    if (data[i] == '\n') {
      pieces.emplace_back();
    } else {
      pieces.back().push_back(static_cast<char>(data[i]));
    }
  }

  ResetDriveTables();
  platform::memory_netconn::Reset();
  // Read twice: once from empty rows, once over the first reading's texts.
  std::vector<std::string> server(DRIVE_LETTER_COUNT), share(DRIVE_LETTER_COUNT);
  for (int round = 0; round < 2; round++) {
    for (int i = 0; i < DRIVE_LETTER_COUNT; i++) {
      const std::size_t at = static_cast<std::size_t>(i + round * 3) % DRIVE_LETTER_COUNT;
      platform::memory_netconn::DriveOf(static_cast<char>('A' + i)).remote = at < pieces.size() ? pieces[at] : "";
    }
    ReadConnections();
    for (int i = 0; i < DRIVE_LETTER_COUNT; i++) {
      const ConnectionRow& row = ConnectionTable[i];
      const std::string& remote = platform::memory_netconn::DriveOf(static_cast<char>('A' + i)).remote;
      char drive[DRIVE_TEXT_SIZE];
      std::snprintf(drive, sizeof drive, "%c:", 'A' + i);
      FUZZ_CHECK(std::strcmp(row.driveText, drive) == 0);
      FUZZ_CHECK(Terminated(row.serverText, sizeof row.serverText));
      FUZZ_CHECK(Terminated(row.shareText, sizeof row.shareText));
      // No connection, or a name longer than the 256-byte buffer: the call fails.
      if (remote.empty() || remote.size() >= REMOTE_NAME_SIZE) {
        server[i].clear();
        share[i].clear();
      } else if (const Split s = ReferenceSplit(remote); s.done) {
        server[i] = s.server;
        share[i] = s.share;
      }
      FUZZ_CHECK(server[i] == row.serverText && share[i] == row.shareText);
    }
  }

  ClearShareList();
  for (std::size_t n = DRIVE_LETTER_COUNT; n < pieces.size(); n++) {
    if (!pieces[n].empty()) AppendShare(pieces[n].c_str());
  }
  BuildShareView(AnyServer);
  struct Cell {
    int item, column;
    std::string text;
  };
  std::vector<Cell> expected;
  int c = 0;
  for (const ShareRecord* r = ShareList.head; r; r = r->next, c++) {
    expected.push_back({c, 0, r->name});
    for (int i = 0; i < DRIVE_LETTER_COUNT; i++) {
      if (SameIgnoringAsciiCase(share[i], r->name)) expected.push_back({c, 1, ConnectionTable[i].driveText});
    }
  }
  if (expected.size() > SHARE_VIEW_ROWS) expected.resize(SHARE_VIEW_ROWS);
  FUZZ_CHECK(ShareViewTable.count == static_cast<int>(expected.size()));
  for (std::size_t n = 0; n < expected.size(); n++) {
    const ShareViewRow& row = ShareViewTable.rows[n];
    FUZZ_CHECK(Terminated(row.cellText, sizeof row.cellText));
    FUZZ_CHECK(row.item == expected[n].item && row.column == expected[n].column);
    FUZZ_CHECK(expected[n].text.compare(0, CELL_TEXT_SIZE - 1, row.cellText) == 0);
  }
  ClearShareList();
  return 0;
}
