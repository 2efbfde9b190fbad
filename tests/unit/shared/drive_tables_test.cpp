// The drive tables: splitting remote names, reading the PC's connections,
// the drive-letter box, and building the share cells within their 256 rows.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/memory_ui.h"
#include "platform/netconn_memory.h"
#include "proto/device_lists.h"
#include "res/resource.h"
#include "shared/drive_box.h"
#include "shared/drive_tables.h"

namespace {

using platform::memory_netconn::DriveOf;

struct Split {
  bool done;
  std::string server, share;
};

Split SplitOf(const std::string& remote, std::size_t size) {
  char server[SERVER_TEXT_SIZE] = "old server";
  char share[SHARE_TEXT_SIZE] = "old share";
  bool done = SplitRemoteName(remote.data(), size, server, share);
  return {done, server, share};
}
Split SplitOf(const std::string& remote) { return SplitOf(remote, remote.size() + 1); }

TEST(SplitRemoteName, SplitsAtTheFirstBackslashAfterTheLeadingTwo) {
  Split s = SplitOf("\\\\192.168.1.10\\public");
  EXPECT_TRUE(s.done);
  EXPECT_EQ(s.server, "192.168.1.10");
  EXPECT_EQ(s.share, "public");

  s = SplitOf("\\\\srv\\share\\sub");
  EXPECT_EQ(s.server, "srv");
  EXPECT_EQ(s.share, "share\\sub");

  s = SplitOf("\\\\srv\\");  // a backslash with nothing after it
  EXPECT_TRUE(s.done);
  EXPECT_EQ(s.server, "srv");
  EXPECT_EQ(s.share, "");
}

TEST(SplitRemoteName, NamesWithoutTheSplitLeaveTheTextsAlone) {
  for (const std::string remote : {"", "\\", "\\\\", "\\\\srv", "ab"}) {
    Split s = SplitOf(remote);
    EXPECT_FALSE(s.done) << remote;
    EXPECT_EQ(s.server, "old server");
    EXPECT_EQ(s.share, "old share");
  }
}

TEST(SplitRemoteName, NeverReadsPastTheGivenSize) {
  // the backslash lies beyond the size: an unterminated buffer ends at size
  std::string remote = "\\\\srv\\share";
  EXPECT_FALSE(SplitOf(remote, 5).done);
  Split s = SplitOf(remote, 8);
  EXPECT_TRUE(s.done);
  EXPECT_EQ(s.share, "sh");
}

TEST(SplitRemoteName, LongPartsAreCutToTheirFields) {
  std::string server(200, 's');
  std::string share(300, 'h');
  Split s = SplitOf("\\\\" + server + "\\" + share);
  EXPECT_TRUE(s.done);
  EXPECT_EQ(s.server, server.substr(0, SERVER_TEXT_SIZE - 1));
  EXPECT_EQ(s.share, share.substr(0, SHARE_TEXT_SIZE - 1));
}

class DriveTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    memory_ui::Reset();
    platform::memory_netconn::Reset();
    ResetDriveTables();
    ClearShareList();
  }
  void TearDown() override {
    memory_ui::Reset();
    ResetDriveTables();
    ClearShareList();
  }

  // A PC whose C: is a fixed disk and D: a CD-ROM, E: to Z: unused.
  static void TypicalPc() {
    DriveOf('A').type = platform::DRIVE_TYPE_REMOVABLE;
    DriveOf('C').type = platform::DRIVE_TYPE_FIXED;
    DriveOf('D').type = platform::DRIVE_TYPE_CDROM;
  }
  static void Connect(char letter, const std::string& remote) {
    DriveOf(letter).type = platform::DRIVE_TYPE_REMOTE;
    DriveOf(letter).remote = remote;
  }

  // The drive box after ReadConnections and FillDriveCombo, and its selection.
  std::vector<std::string> FillBox(int* selected) {
    ReadConnections();
    CDialog page(IDD_DRIVE_MAP);
    EXPECT_TRUE(page.Create(IDD_DRIVE_MAP));
    CComboBox combo;
    combo.SubclassWindow(page.GetDlgItem(IDC_DRIVE_COMBO));
    FillDriveCombo(combo);
    MemoryWindow* window = memory_ui::Control(page, IDC_DRIVE_COMBO);
    *selected = window->curSel;
    return window->items;
  }
};

TEST_F(DriveTablesTest, ReadConnectionsFillsEveryRowAndForgetsFailedLetters) {
  ConnectionTable[5].serverText[0] = 'x';  // F: from an earlier reading
  std::snprintf(ConnectionTable[5].shareText, SHARE_TEXT_SIZE, "gone");
  Connect('E', "\\\\192.168.1.10\\public");
  ReadConnections();

  EXPECT_STREQ(ConnectionTable[0].driveText, "A:");
  EXPECT_STREQ(ConnectionTable[25].driveText, "Z:");
  EXPECT_STREQ(ConnectionTable[4].serverText, "192.168.1.10");
  EXPECT_STREQ(ConnectionTable[4].shareText, "public");
  EXPECT_STREQ(ConnectionTable[5].serverText, "");
  EXPECT_STREQ(ConnectionTable[5].shareText, "");
  auto gets = platform::memory_netconn::CallsOf("get");
  ASSERT_EQ(gets.size(), 26u);
  for (const auto& call : gets) EXPECT_EQ(call.flags, 256u);  // the buffer's length every time
}

TEST_F(DriveTablesTest, UnavailableOrUnsplittableConnections) {
  Connect('E', "\\\\srv\\a");
  Connect('G', "\\\\srv\\b");
  ReadConnections();
  DriveOf('E').getError = 1201;  // remembered but unavailable: read as unconnected
  DriveOf('G').remote = "\\\\lonely";  // no split: the earlier texts stay
  ReadConnections();
  EXPECT_STREQ(ConnectionTable[4].serverText, "");
  EXPECT_STREQ(ConnectionTable[6].serverText, "srv");
  EXPECT_STREQ(ConnectionTable[6].shareText, "b");
}

TEST_F(DriveTablesTest, DriveBoxOnAPcWithFixedDiskAndCdRom) {
  TypicalPc();
  int selected = -2;
  std::vector<std::string> items = FillBox(&selected);
  ASSERT_EQ(items.size(), 22u);
  EXPECT_EQ(items.front(), "E:");
  EXPECT_EQ(items.back(), "Z:");
  EXPECT_EQ(selected, 0);
}

TEST_F(DriveTablesTest, DriveBoxSkipsLocalDrivesAndNeverOffersAToC) {
  // A:, B: and C: unused still stay out; a removable E: and a RAM disk F: too
  DriveOf('E').type = platform::DRIVE_TYPE_REMOVABLE;
  DriveOf('F').type = platform::DRIVE_TYPE_RAMDISK;
  DriveOf('H').type = platform::DRIVE_TYPE_UNKNOWN;
  int selected = -2;
  std::vector<std::string> items = FillBox(&selected);
  ASSERT_EQ(items.size(), 21u);  // D:, G: to Z:
  EXPECT_EQ(items[0], "D:");
  EXPECT_EQ(items[1], "G:");
  EXPECT_EQ(items[2], "H:");
  EXPECT_EQ(selected, 0);
}

TEST_F(DriveTablesTest, ConnectedLettersShowTheirShareAndTheFirstFreeIsSelected) {
  TypicalPc();
  Connect('E', "\\\\192.168.1.10\\public");
  int selected = -2;
  std::vector<std::string> items = FillBox(&selected);
  EXPECT_EQ(items[0], "E: \\\\192.168.1.10\\public");
  EXPECT_EQ(items[1], "F:");
  EXPECT_EQ(selected, 1);
}

TEST_F(DriveTablesTest, NoFreeLetterSelectsNothing) {
  TypicalPc();
  for (char letter = 'E'; letter <= 'Z'; ++letter) Connect(letter, std::string("\\\\srv\\") + letter);
  int selected = -2;
  std::vector<std::string> items = FillBox(&selected);
  EXPECT_EQ(items.size(), 22u);
  EXPECT_EQ(selected, -1);
}

TEST_F(DriveTablesTest, LongestConnectionFitsItsEntryAndStaysConnected) {
  TypicalPc();
  // a server part longer than serverText: cut, the letter is not offered as free
  std::string remote = "\\\\" + std::string(150, 's') + "\\" + std::string(100, 'h');
  Connect('E', remote);
  int selected = -2;
  std::vector<std::string> items = FillBox(&selected);
  EXPECT_EQ(items[0], "E: \\\\" + std::string(131, 's') + "\\" + std::string(100, 'h'));
  EXPECT_EQ(selected, 1);
}

std::vector<std::string> Cells() {
  std::vector<std::string> cells;
  for (int i = 0; i < ShareViewTable.count; ++i) {
    const ShareViewRow& r = ShareViewTable.rows[i];
    cells.push_back(std::to_string(r.item) + "," + std::to_string(r.column) + "," + r.cellText);
  }
  return cells;
}

bool ServerIsNas(const char* server) { return std::strcmp(server, "nas") == 0; }

TEST_F(DriveTablesTest, ShareViewGroupsLettersUnderTheirShareInLetterOrder) {
  AppendShare("a");
  AppendShare("b");
  AppendShare("c");
  Connect('G', "\\\\nas\\B");  // share names ignore letter case
  Connect('E', "\\\\nas\\b");
  Connect('F', "\\\\nas\\a");
  Connect('H', "\\\\other\\a");  // another server's share of the same name
  Connect('I', "\\\\NAS\\a");    // the predicate decides about the server's case
  ReadConnections();
  ShareViewTable.count = 9;  // a build starts from empty
  BuildShareView(ServerIsNas);
  EXPECT_EQ(Cells(), (std::vector<std::string>{"0,0,a", "0,1,F:", "1,0,b", "1,1,E:", "1,1,G:", "2,0,c"}));
}

TEST_F(DriveTablesTest, ShareViewStopsAtItsLastRow) {
  for (int i = 0; i < 240; ++i) AppendShare(("s" + std::to_string(i)).c_str());
  for (char letter = 'D'; letter <= 'Z'; ++letter) Connect(letter, "\\\\nas\\s239");
  ReadConnections();
  BuildShareView(ServerIsNas);
  // 240 share rows and 23 letter rows: the letters after S: are dropped
  ASSERT_EQ(ShareViewTable.count, SHARE_VIEW_ROWS);
  EXPECT_STREQ(ShareViewTable.rows[239].cellText, "s239");
  EXPECT_STREQ(ShareViewTable.rows[240].cellText, "D:");
  EXPECT_STREQ(ShareViewTable.rows[255].cellText, "S:");

  EXPECT_FALSE(AppendShareViewRow(7, 0, "more"));
  EXPECT_EQ(ShareViewTable.count, SHARE_VIEW_ROWS);
  ShareViewTable.count = 0;
  EXPECT_TRUE(AppendShareViewRow(7, 0, "more"));
  EXPECT_EQ(ShareViewTable.count, 1);
}

TEST(EqualIgnoringAsciiCase, OnlyAsciiLettersFold) {
  EXPECT_TRUE(EqualIgnoringAsciiCase("Nas-1", "nAS-1"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("nas", "nas1"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("nas1", "nas"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("\xC4", "\xE4"));  // not ASCII letters
  EXPECT_FALSE(EqualIgnoringAsciiCase("[", "{"));
  EXPECT_TRUE(EqualIgnoringAsciiCase("", ""));
}

}  // namespace
