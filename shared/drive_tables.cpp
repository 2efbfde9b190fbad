#include "shared/drive_tables.h"

#include <cstdio>
#include <cstring>

#include "platform/netconn.h"
#include "proto/device_lists.h"
#include "proto/text_copy.h"

ConnectionRow ConnectionTable[DRIVE_LETTER_COUNT];
ShareViewCells ShareViewTable;
std::int32_t ShareViewShown;

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SplitRemoteName(const char* remote, std::size_t size, char (&serverText)[SERVER_TEXT_SIZE],
                     char (&shareText)[SHARE_TEXT_SIZE]) {
  const char* end = static_cast<const char*>(std::memchr(remote, '\0', size));
  std::size_t length = end ? static_cast<std::size_t>(end - remote) : size;
  for (std::size_t p = 2; p < length; ++p) {
    if (remote[p] != '\\') continue;
    CopyTextN(serverText, sizeof serverText, remote + 2, p - 2);
    CopyTextN(shareText, sizeof shareText, remote + p + 1, length - p - 1);
    return true;
  }
  return false;
}

void ReadConnections() {
  for (int i = 0; i < DRIVE_LETTER_COUNT; ++i) {
    ConnectionRow& row = ConnectionTable[i];
    std::snprintf(row.driveText, sizeof row.driveText, "%c:", 'A' + i);
    char remote[REMOTE_NAME_SIZE];
    unsigned long length = REMOTE_NAME_SIZE;
    if (platform::NetGetConnection(row.driveText, remote, &length) != platform::NET_OK) {
      row.serverText[0] = '\0';
      row.shareText[0] = '\0';
      continue;
    }
    // a name without its split keeps the row's previous texts
    SplitRemoteName(remote, sizeof remote, row.serverText, row.shareText);
  }
}

bool OffersNetworkDrive(int i) {
  if (i < 0 || i >= DRIVE_LETTER_COUNT) return false;
  unsigned type = platform::DriveTypeOf(ConnectionTable[i].driveText);
  // A:, B: and C: never take a network drive, whatever they are
  if (i < 3) return false;
  return type != platform::DRIVE_TYPE_FIXED && type != platform::DRIVE_TYPE_CDROM &&
         type != platform::DRIVE_TYPE_RAMDISK && type != platform::DRIVE_TYPE_REMOVABLE;
}

bool HasConnection(const ConnectionRow& row) { return row.serverText[0] && row.shareText[0]; }

int FirstFreeLetter() {
  for (int i = 0; i < DRIVE_LETTER_COUNT; ++i) {
    if (OffersNetworkDrive(i) && !HasConnection(ConnectionTable[i])) return i;
  }
  return -1;
}

bool AppendShareViewRow(std::int32_t item, std::int32_t column, const char* cellText) {
  if (ShareViewTable.count >= SHARE_VIEW_ROWS) return false;
  ShareViewRow& row = ShareViewTable.rows[ShareViewTable.count];
  row.item = item;
  row.column = column;
  CopyText(row.cellText, sizeof row.cellText, cellText);
  ++ShareViewTable.count;
  return true;
}

bool EqualIgnoringAsciiCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (AsciiLower(*a) != AsciiLower(*b)) return false;
  }
  return *a == *b;
}

void BuildShareView(ServerMatch belongs) {
  ShareViewTable.count = 0;
  std::int32_t c = 0;
  for (const ShareRecord* share = ShareList.head; share; share = share->next, ++c) {
    AppendShareViewRow(c, 0, share->name);
    for (const ConnectionRow& row : ConnectionTable) {
      if (belongs(row.serverText) && EqualIgnoringAsciiCase(row.shareText, share->name))
        AppendShareViewRow(c, 1, row.driveText);
    }
  }
}

void ResetDriveTables() {
  std::memset(ConnectionTable, 0, sizeof ConnectionTable);
  std::memset(&ShareViewTable, 0, sizeof ShareViewTable);
  ShareViewShown = 0;
}
