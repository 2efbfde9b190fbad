// The Drive Mapping page over the in-memory controls, the recording network
// connections and a device answering through the virtual sockets.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "drivemap/drive_map_page.h"
#include "framework/memory_ui.h"
#include "platform/netconn_memory.h"
#include "platform/sysinfo_memory.h"
#include "res/resource.h"
#include "shared/drive_tables.h"
#include "shared/login_dialog.h"
#include "shared/selected_device.h"
#include "tests/unit/proto/engine_fixture.h"

namespace {

namespace net = platform::memory_netconn;
namespace sysinfo = platform::memory_sysinfo;
using testing_support::ShareListReply;

constexpr long long kMs = 1000;

const char kDeviceIp[] = "10.0.0.5";
const char kUnmountFailed[] =
    "Unmount Disk Fail!\nPlease checked if you had selected a drive to un-mount,\n"
    "or any file opened on selected drive that did not close.";

struct Box {
  std::string text, caption;
  UINT type;
  bool operator==(const Box& o) const { return text == o.text && caption == o.caption && type == o.type; }
};

struct Attempt {
  std::string password, userName;
  unsigned long flags;
  bool operator==(const Attempt& o) const {
    return password == o.password && userName == o.userName && flags == o.flags;
  }
};

void PrintTo(const Attempt& a, std::ostream* os) {
  *os << "{\"" << a.password << "\", \"" << a.userName << "\", " << a.flags << "}";
}

const Box kMapDone{"Successfully mapped drive.", "Confirm", MB_ICONINFORMATION};
const Box kMapFailed{"Failed to map drive.", "Error", MB_ICONERROR};
const Box kNoShare{"You should select a samba server disk to mount!", "Warning", MB_ICONWARNING};

class DriveMapPageTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    memory_ui::Reset();
    net::Reset();
    sysinfo::Reset();
    ResetDriveTables();
    ResetSelectedDevice();
    LoginPurpose = LOGIN_FOR_DEVICE;  // as the IP Settings page may leave it

    net::DriveOf('C').type = platform::DRIVE_TYPE_FIXED;
    net::DriveOf('D').type = platform::DRIVE_TYPE_CDROM;
    UseInterfaces(1);
    SelectDevice(kDeviceIp);
    SelectedDevice.deviceName = "nas";
    SelectedDevice.shareHostText = kDeviceIp;
    SelectedDevice.deviceIpText = kDeviceIp;
    SelectedDevice.deviceNetmaskText = "255.255.255.0";
    SelectedDevice.deviceGatewayText = "10.0.0.1";

    ASSERT_TRUE(page.Create(CDriveMapPage::IDD));
  }
  void TearDown() override {
    memory_ui::Reset();
    ResetDriveTables();
    ResetSelectedDevice();
    EngineTest::TearDown();
  }

  // The device names its shares at the next query.
  void DeviceAnswers(const std::string& shares) {
    net.Deliver(ReceiveSocket(0), ShareListReply(kTestClientId, kDeviceIp, shares),
                net.NowMicroseconds() + 200 * kMs);
  }
  // As a pick on the Search Device page leaves things: the shares listed and painted.
  void PickDevice(const std::string& shares) {
    DeviceAnswers(shares);
    page.RebuildShareView();
    ShareViewShown = 0;
    memory_ui::Paint(page);
  }

  std::vector<std::vector<std::string>> Rows() const {
    std::vector<std::vector<std::string>> rows;
    for (const MemoryListRow& row : memory_ui::Control(page, IDC_SHARE_LIST)->rows) rows.push_back(row.cells);
    return rows;
  }
  MemoryWindow* Combo() const { return memory_ui::Control(page, IDC_DRIVE_COMBO); }
  std::string ChosenDrive() const {
    const MemoryWindow* combo = Combo();
    return combo->curSel < 0 ? "" : combo->items[static_cast<size_t>(combo->curSel)];
  }
  std::vector<Box> Boxes() const {
    std::vector<Box> boxes;
    for (const ShownMessageBox& b : memory_ui::MessageBoxes()) boxes.push_back({b.text, b.caption, b.type});
    return boxes;
  }
  static std::vector<Attempt> Attempts() {
    std::vector<Attempt> attempts;
    for (const net::Call& call : net::CallsOf("add")) attempts.push_back({call.password, call.userName, call.flags});
    return attempts;
  }
  static void FailAttempts(int n) {
    for (int i = 0; i < n; ++i) net::Net().addResults.push_back(1326);  // ERROR_LOGON_FAILURE
  }
  static void ScriptLogin(const std::string& user, const std::string& password, int button = IDOK) {
    memory_ui::ScriptModal([=](CDialog& shown) {
      if (memory_ui::Control(shown, IDC_USER_NAME)->enabled) memory_ui::TypeText(shown, IDC_USER_NAME, user);
      memory_ui::TypeText(shown, IDC_PASSWORD, password);
      memory_ui::Click(shown, button);
    });
  }
  void MapShare(int row) {
    memory_ui::SelectRow(page, IDC_SHARE_LIST, row);
    memory_ui::Click(page, IDC_MAP_DRIVE);
  }

  CDriveMapPage page;
};

TEST_F(DriveMapPageTest, InitialisesTheListWithFullRowSelectionAndTwoColumns) {
  const MemoryWindow* list = memory_ui::Control(page, IDC_SHARE_LIST);
  EXPECT_EQ(list->extendedStyle, LVS_EX_FULLROWSELECT);
  ASSERT_EQ(list->columns.size(), 2u);
  EXPECT_EQ(list->columns[0].heading, "Share name");
  EXPECT_EQ(list->columns[0].width, 150);
  EXPECT_EQ(list->columns[0].subItem, 0);
  EXPECT_EQ(list->columns[1].heading, "Connect to");
  EXPECT_EQ(list->columns[1].width, 100);
  EXPECT_EQ(list->columns[1].subItem, 1);
  EXPECT_EQ(list->columns[0].format, LVCFMT_LEFT);
  EXPECT_EQ(list->columns[1].format, LVCFMT_LEFT);
}

TEST_F(DriveMapPageTest, PaintRereadsTheDrivesButRefillsTheListOnlyWhenAsked) {
  PickDevice("public:media");
  EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"public"}, {"media"}}));
  EXPECT_EQ(memory_ui::Control(page, IDC_DRIVE_INFO)->text,
            "Name : nas\nIP : 10.0.0.5  Netmask : 255.255.255.0  Gateway : 10.0.0.1");
  EXPECT_EQ(ShareViewShown, 1);
  EXPECT_EQ(Combo()->items.size(), 22u);  // E: to Z:
  EXPECT_EQ(ChosenDrive(), "E:");

  // a connection made elsewhere shows in the drive box at once, in the list only after a rebuild
  net::DriveOf('E') = {platform::DRIVE_TYPE_REMOTE, "\\\\10.0.0.5\\public", 0};
  memory_ui::ChooseComboItem(page, IDC_DRIVE_COMBO, 5);
  memory_ui::Paint(page);
  EXPECT_EQ(Combo()->items[0], "E: \\\\10.0.0.5\\public");
  EXPECT_EQ(ChosenDrive(), "F:");
  EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"public"}, {"media"}}));

  // a device picked without a name: empty summary
  SelectedDevice.deviceName.clear();
  ShareViewShown = 0;
  memory_ui::Paint(page);
  EXPECT_EQ(memory_ui::Control(page, IDC_DRIVE_INFO)->text, "");
}

TEST_F(DriveMapPageTest, PlainAttemptsSucceedWithoutDialogOn2000) {
  sysinfo::SetVersion(2, 5, 0, 2195);
  PickDevice("public");
  FailAttempts(3);
  MapShare(0);
  EXPECT_EQ(Attempts(), std::vector<Attempt>(4, Attempt{"", "", 1}));
  EXPECT_TRUE(memory_ui::Modals().empty());
  EXPECT_EQ(Boxes(), std::vector<Box>{kMapDone});
  EXPECT_EQ(LoginPurpose, LOGIN_FOR_SHARE);
}

TEST_F(DriveMapPageTest, XpAsksForCredentialsAfterSixSilentAttempts) {
  PickDevice("public");
  FailAttempts(6);
  ScriptLogin("alice", "secret");
  MapShare(0);
  std::vector<Attempt> expected(6, Attempt{"", "", 1});
  expected.push_back({"secret", "alice", 1});
  EXPECT_EQ(Attempts(), expected);
  ASSERT_EQ(memory_ui::Modals().size(), 1u);
  EXPECT_EQ(memory_ui::Modals()[0].templateId, static_cast<UINT>(IDD_LOGIN));
  EXPECT_EQ(Boxes(), std::vector<Box>{kMapDone});
}

TEST_F(DriveMapPageTest, CancelledLoginStillMakesTheLastAttemptWithEmptyCredentials) {
  PickDevice("public");
  FailAttempts(7);
  ScriptLogin("alice", "secret", IDCANCEL);
  MapShare(0);
  EXPECT_EQ(Attempts(), std::vector<Attempt>(7, Attempt{"", "", 1}));
  EXPECT_EQ(Boxes(), std::vector<Box>{kMapFailed});
  // a failed mapping leaves the drive box and the list as they were until the next paint
  EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"public"}}));
}

TEST_F(DriveMapPageTest, NtShowsTheDialogFirstThenUpToSixAttempts) {
  sysinfo::SetVersion(2, 4, 0, 1381);
  PickDevice("public");
  FailAttempts(6);
  bool askedBeforeAnyAttempt = false;
  memory_ui::ScriptModal([&](CDialog& shown) {
    askedBeforeAnyAttempt = Attempts().empty();
    EXPECT_TRUE(memory_ui::Control(shown, IDC_USER_NAME)->enabled);
    memory_ui::TypeText(shown, IDC_USER_NAME, "bob");
    memory_ui::TypeText(shown, IDC_PASSWORD, "pw");
    memory_ui::Click(shown, IDOK);
  });
  MapShare(0);
  EXPECT_TRUE(askedBeforeAnyAttempt);
  EXPECT_EQ(Attempts(), std::vector<Attempt>(6, Attempt{"pw", "bob", 1}));
  EXPECT_EQ(Boxes(), std::vector<Box>{kMapFailed});
}

TEST_F(DriveMapPageTest, VistaLetsTheSystemAskOnTheSeventhAttempt) {
  sysinfo::SetVersion(2, 6, 1, 7601);
  PickDevice("public");
  FailAttempts(7);
  MapShare(0);
  std::vector<Attempt> expected(6, Attempt{"", "", 1});
  expected.push_back({"", "", 9});
  EXPECT_EQ(Attempts(), expected);
  EXPECT_TRUE(memory_ui::Modals().empty());
  EXPECT_EQ(Boxes(), std::vector<Box>{kMapFailed});
}

TEST_F(DriveMapPageTest, Windows98OffersTheLockedLogonName) {
  sysinfo::SetVersion(1, 4, 10, 2222);
  sysinfo::SetLogonName("carol");
  PickDevice("public");
  FailAttempts(6);
  std::string shownName;
  bool locked = false;
  memory_ui::ScriptModal([&](CDialog& shown) {
    shownName = memory_ui::Control(shown, IDC_USER_NAME)->text;
    locked = !memory_ui::Control(shown, IDC_USER_NAME)->enabled;
    memory_ui::TypeText(shown, IDC_PASSWORD, "pw");
    memory_ui::Click(shown, IDOK);
  });
  MapShare(0);
  EXPECT_EQ(shownName, "carol");
  EXPECT_TRUE(locked);
  ASSERT_EQ(Attempts().size(), 7u);
  EXPECT_EQ(Attempts().back(), (Attempt{"pw", "carol", 1}));
  EXPECT_EQ(Boxes(), std::vector<Box>{kMapDone});
}

TEST_F(DriveMapPageTest, ConnectsTheChosenLetterToTheShareAtTheSelectedAddressAfterClearingIt) {
  PickDevice("public:media");
  net::DriveOf('E') = {platform::DRIVE_TYPE_REMOTE, "\\\\elsewhere\\old", 0};
  memory_ui::Paint(page);
  memory_ui::ChooseComboItem(page, IDC_DRIVE_COMBO, 0);  // E:, connected elsewhere
  net::Net().calls.clear();
  MapShare(1);

  ASSERT_GE(net::Net().calls.size(), 2u);
  const net::Call& cancel = net::Net().calls[0];
  EXPECT_EQ(cancel.op, "cancel");
  EXPECT_EQ(cancel.localName, "E:");
  EXPECT_EQ(cancel.flags, 1u);
  EXPECT_TRUE(cancel.force);
  const net::Call& add = net::Net().calls[1];
  EXPECT_EQ(add.op, "add");
  EXPECT_EQ(add.localName, "E:");
  EXPECT_EQ(add.remoteName, "\\\\10.0.0.5\\media");
}

TEST_F(DriveMapPageTest, SuccessRefreshesDrivesAndListFromANewShareQuery) {
  PickDevice("public:media");
  const int sendsBefore = net.CountOf(Kind::SendTo);
  DeviceAnswers("public:media");
  MapShare(0);
  EXPECT_EQ(Boxes(), std::vector<Box>{kMapDone});
  EXPECT_EQ(net.CountOf(Kind::SendTo), sendsBefore + 1);
  EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"public", "E:"}, {"media"}}));
  EXPECT_EQ(Combo()->items[0], "E: \\\\10.0.0.5\\public");
  EXPECT_EQ(ChosenDrive(), "F:");
}

TEST_F(DriveMapPageTest, SilentWithoutAChosenLetterAndWarnsWithoutASelectedShare) {
  PickDevice("public");
  memory_ui::Click(page, IDC_MAP_DRIVE);
  EXPECT_EQ(Boxes(), std::vector<Box>{kNoShare});

  for (char c = 'E'; c <= 'Z'; ++c) net::DriveOf(c) = {platform::DRIVE_TYPE_REMOTE, "\\\\srv\\x", 0};
  memory_ui::Paint(page);
  ASSERT_EQ(Combo()->curSel, -1);
  net::Net().calls.clear();
  MapShare(0);
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_TRUE(net::Net().calls.empty());
}

TEST_F(DriveMapPageTest, RowsAboveTheTopVisibleRowAreNotSeen) {
  PickDevice("public:media");
  net::DriveOf('F') = {platform::DRIVE_TYPE_REMOTE, "\\\\srv\\x", 0};
  memory_ui::Paint(page);
  memory_ui::SelectRow(page, IDC_SHARE_LIST, 0);
  memory_ui::Control(page, IDC_SHARE_LIST)->topIndex = 1;
  memory_ui::ChooseComboItem(page, IDC_DRIVE_COMBO, 1);  // F:

  memory_ui::Click(page, IDC_MAP_DRIVE);
  EXPECT_EQ(Boxes(), std::vector<Box>{kNoShare});
  DeviceAnswers("public:media");
  memory_ui::Click(page, IDC_DISCONNECT_DRIVE);
  EXPECT_EQ(net::CallsOf("cancel").back().localName, "F:");
  EXPECT_EQ(Boxes().back().text, "Unmount Disk OK!");
}

TEST_F(DriveMapPageTest, DisconnectsTheSelectedSharesLetterAndRefreshes) {
  net::DriveOf('E') = {platform::DRIVE_TYPE_REMOTE, "\\\\10.0.0.5\\public", 0};
  memory_ui::Paint(page);
  PickDevice("public:media");
  ASSERT_EQ(Rows()[0], (std::vector<std::string>{"public", "E:"}));
  memory_ui::ChooseComboItem(page, IDC_DRIVE_COMBO, 3);
  DeviceAnswers("public:media");
  memory_ui::SelectRow(page, IDC_SHARE_LIST, 0);
  memory_ui::Click(page, IDC_DISCONNECT_DRIVE);

  const net::Call cancel = net::CallsOf("cancel").back();
  EXPECT_EQ(cancel.localName, "E:");
  EXPECT_EQ(cancel.flags, 1u);
  EXPECT_TRUE(cancel.force);
  EXPECT_EQ(Boxes(), (std::vector<Box>{{"Unmount Disk OK!", "Confirm", MB_ICONINFORMATION}}));
  EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"public"}, {"media"}}));
  EXPECT_EQ(ChosenDrive(), "E:");
}

TEST_F(DriveMapPageTest, DisconnectOfAShareWithoutLetterFailsWithoutUsingTheDriveBox) {
  net::DriveOf('E') = {platform::DRIVE_TYPE_REMOTE, "\\\\srv\\x", 0};
  PickDevice("public");
  memory_ui::ChooseComboItem(page, IDC_DRIVE_COMBO, 0);  // E:, connected
  memory_ui::SelectRow(page, IDC_SHARE_LIST, 0);
  memory_ui::Click(page, IDC_DISCONNECT_DRIVE);
  EXPECT_EQ(net::CallsOf("cancel").back().localName, "");
  EXPECT_EQ(Boxes(), (std::vector<Box>{{kUnmountFailed, "Error", MB_ICONERROR}}));
  EXPECT_EQ(net::DriveOf('E').remote, "\\\\srv\\x");
}

TEST_F(DriveMapPageTest, DisconnectWithoutSelectedRowUsesTheDriveBoxOrDoesNothing) {
  net::DriveOf('G') = {platform::DRIVE_TYPE_REMOTE, "\\\\other\\docs", 0};
  PickDevice("public");
  memory_ui::ChooseComboItem(page, IDC_DRIVE_COMBO, 2);  // "G: \\other\docs"
  DeviceAnswers("public");
  memory_ui::Click(page, IDC_DISCONNECT_DRIVE);
  EXPECT_EQ(net::CallsOf("cancel").back().localName, "G:");
  EXPECT_TRUE(net::DriveOf('G').remote.empty());

  // an unconnected letter: the system refuses
  memory_ui::ChooseComboItem(page, IDC_DRIVE_COMBO, 3);
  memory_ui::Click(page, IDC_DISCONNECT_DRIVE);
  EXPECT_EQ(net::CallsOf("cancel").back().localName, "H:");
  EXPECT_EQ(Boxes().back().text, kUnmountFailed);

  const size_t calls = net::Net().calls.size();
  Combo()->curSel = -1;
  memory_ui::Click(page, IDC_DISCONNECT_DRIVE);
  EXPECT_EQ(net::Net().calls.size(), calls);
  EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(DriveMapPageTest, RebuildMatchesTheServerExactlyAndTheShareIgnoringCase) {
  net::DriveOf('E') = {platform::DRIVE_TYPE_REMOTE, "\\\\nas\\PUBLIC", 0};    // by name
  net::DriveOf('F') = {platform::DRIVE_TYPE_REMOTE, "\\\\NAS\\public", 0};    // name, other case
  net::DriveOf('G') = {platform::DRIVE_TYPE_REMOTE, "\\\\10.0.0.5\\public", 0};  // by address
  net::DriveOf('H') = {platform::DRIVE_TYPE_REMOTE, "\\\\10.0.0.5\\media", 0};
  memory_ui::Paint(page);
  PickDevice("public:media");
  ASSERT_EQ(ShareViewTable.count, 5);
  EXPECT_STREQ(ShareViewTable.rows[1].cellText, "E:");
  EXPECT_STREQ(ShareViewTable.rows[2].cellText, "G:");
  // the later of two letters shows
  EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"public", "G:"}, {"media", "H:"}}));
}

TEST_F(DriveMapPageTest, AfterAnAddressChangeMappingGoesToTheNewAddressButIsNotListed) {
  PickDevice("public");
  std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "10.0.0.9");
  SelectDevice("10.0.0.9", 0, "nas");
  net.Deliver(ReceiveSocket(0), ShareListReply(kTestClientId, "10.0.0.9", "public"),
              net.NowMicroseconds() + 200 * kMs);
  MapShare(0);
  EXPECT_EQ(net::CallsOf("add").back().remoteName, "\\\\10.0.0.9\\public");
  EXPECT_EQ(Boxes(), std::vector<Box>{kMapDone});
  EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"public"}}));
}

TEST_F(DriveMapPageTest, NoAnswerDuringTheRebuildEmptiesTheList) {
  PickDevice("public");
  MapShare(0);
  EXPECT_EQ(Boxes(), std::vector<Box>{kMapDone});
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(ShareViewTable.count, 0);
}

}  // namespace
