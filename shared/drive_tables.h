// The PC's network drive connections A to Z, the letters free for a network
// drive, and the cells of the Drive Mapping page's share list.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int DRIVE_LETTER_COUNT = 26;
inline constexpr int SERVER_TEXT_SIZE = 132;
inline constexpr int SHARE_TEXT_SIZE = 256;
inline constexpr int DRIVE_TEXT_SIZE = 8;
inline constexpr int REMOTE_NAME_SIZE = 256;  // the buffer WNetGetConnectionA fills
inline constexpr int SHARE_VIEW_ROWS = 256;
inline constexpr int CELL_TEXT_SIZE = 256;

struct ConnectionRow {
  char serverText[SERVER_TEXT_SIZE];  // between the leading "\\" and the next backslash
  char shareText[SHARE_TEXT_SIZE];    // everything after that backslash
  char driveText[DRIVE_TEXT_SIZE];    // "E:"
};

struct ShareViewRow {
  std::int32_t item;    // the share's position in ShareList
  std::int32_t column;  // 0 "Share name", 1 "Connect to"
  char cellText[CELL_TEXT_SIZE];
};

struct ShareViewCells {
  std::int32_t count;  // rows in use, 0 to SHARE_VIEW_ROWS
  ShareViewRow rows[SHARE_VIEW_ROWS];
};

// Row 0 is drive A, row 25 drive Z.
extern ConnectionRow ConnectionTable[DRIVE_LETTER_COUNT];
extern ShareViewCells ShareViewTable;
// 1 while the Drive Mapping list shows the current ShareViewTable; 0 asks its
// next paint to refill it.
extern std::int32_t ShareViewShown;

// Re-reads all 26 rows of ConnectionTable from the system.
void ReadConnections();

// Splits a remote name ("\\server\share") read from a buffer of `size` bytes,
// which need not be terminated, at the first backslash after its first two
// characters. Returns false, leaving both texts untouched, when the name is
// empty or has no such backslash. A server part longer than serverText holds
// is cut, so the letter still counts as connected and is never offered as a
// free one.
bool SplitRemoteName(const char* remote, std::size_t size, char (&serverText)[SERVER_TEXT_SIZE],
                     char (&shareText)[SHARE_TEXT_SIZE]);

// True when row i's letter may take a network drive: D: on, and remote, unused
// or of unknown type. These are the letters the Drive Mapping page offers.
bool OffersNetworkDrive(int i);
// True when row i is connected (both texts of its remote name set).
bool HasConnection(const ConnectionRow& row);
// The first row that OffersNetworkDrive and has no connection; -1 when none.
int FirstFreeLetter();

// Appends one cell; at SHARE_VIEW_ROWS rows further cells are dropped and
// count stays at the limit. Returns false when the cell was dropped.
bool AppendShareViewRow(std::int32_t item, std::int32_t column, const char* cellText);

// Which connection rows belong to the selected device: given a row's
// serverText, true when it names the device.
using ServerMatch = bool (*)(const char* serverText);

// Empties ShareViewTable and builds it from ShareList and ConnectionTable: each
// share's name, then the letters connected to it (share names compared
// ignoring ASCII letter case) whose server `belongs` accepts.
void BuildShareView(ServerMatch belongs);

// Equal ignoring the letter case of A to Z only.
bool EqualIgnoringAsciiCase(const char* a, const char* b);

// Start-of-program values of the three tables. For tests.
void ResetDriveTables();
