// The Search Device page: start-up, what a search lists and resets, what a
// click selects and prepares for the Drive Mapping page.
#include "tests/unit/search/search_fixture.h"

#include <vector>

namespace search_test {
namespace {

using Kind = testing_support::VirtualSockets::CallKind;
using platform::memory_netconn::DriveOf;
const std::string kOne("1", 2), kZero("0", 2);  // stored with their terminator

TEST_F(SearchPageTest, StartUpPreparesTheListStartsTheEngineAndSearchesBeforeCom) {
  CreatePage();
  MemoryWindow* list = List();
  EXPECT_EQ(list->extendedStyle, LVS_EX_FULLROWSELECT);
  ASSERT_EQ(list->columns.size(), 4u);
  const char* titles[] = {"Name", "IP", "Netmask", "Gateway"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(list->columns[i].heading, titles[i]);
    EXPECT_EQ(list->columns[i].width, 100);
    EXPECT_EQ(list->columns[i].format, LVCFMT_LEFT);
    EXPECT_EQ(list->columns[i].subItem, i);
  }
  EXPECT_EQ(net.CountOf(Kind::StartLibrary), 1);
  EXPECT_EQ(net.CountOf(Kind::HostAddresses), 1);
  EXPECT_TRUE(platform::memory_shell::Shell().comInitialized);
}

TEST_F(SearchPageTest, FirstStartStoresOneAndChecksTheBox) {
  CreatePage();
  EXPECT_EQ(Check()->check, BST_CHECKED);
  ASSERT_NE(StoredSetting(), nullptr);
  EXPECT_EQ(*StoredSetting(), kOne);
}

TEST_F(SearchPageTest, StoredSettingDecidesTheBox) {
  struct Case {
    std::string stored;
    int check;
    std::string afterStart;
  } cases[] = {
      {kZero, BST_UNCHECKED, kZero},
      {"0", BST_UNCHECKED, kZero},            // stored without its terminator
      {kOne, BST_CHECKED, kOne},
      {std::string("yes", 4), BST_CHECKED, kOne},  // any other text checks and becomes "1"
      {"00", BST_CHECKED, kOne},
      {std::string("\0", 1), BST_CHECKED, kOne},  // empty: not yet set
  };
  for (const Case& c : cases) {
    ResetAll();
    platform::memory_registry::SetValue(platform::Hive::CurrentUser, ShortcutSettingKey, "", c.stored);
    CreatePage();
    EXPECT_EQ(Check()->check, c.check) << c.stored;
    EXPECT_EQ(*StoredSetting(), c.afterStart) << c.stored;
    page.reset();
  }
}

TEST_F(SearchPageTest, SearchListsEveryDeviceInArrivalOrderAndResetsTheSelection) {
  CreatePage();
  Online();
  Answer("10.0.0.5", "nas1", '1', "255.255.0.0", "10.0.0.254");
  Answer("10.0.0.7", "nas2");
  Answer("10.0.0.6", "nas3");
  SelectedDevice.deviceName = "old";
  SelectedDevice.ipAddress = 5;
  SelectedDevice.dhcpEnabled = 1;
  SelectedDevice.deviceSelected = 1;
  ShareViewTable.count = 3;
  ShareViewShown = 1;
  std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "10.0.0.9");
  Search();

  ASSERT_EQ(List()->rows.size(), 3u);
  EXPECT_EQ(List()->rows[0].cells, (std::vector<std::string>{"nas1", "10.0.0.5", "255.255.0.0", "10.0.0.254"}));
  EXPECT_EQ(Cell(1, 0), "nas2");
  EXPECT_EQ(Cell(2, 1), "10.0.0.6");
  EXPECT_EQ(List()->rows[2].data, 0);
  EXPECT_EQ(SelectedDevice.deviceName, "");
  EXPECT_EQ(SelectedDevice.ipAddress, 0u);
  EXPECT_EQ(SelectedDevice.dhcpEnabled, 0);
  EXPECT_EQ(SelectedDevice.deviceSelected, 0);
  EXPECT_EQ(ShareViewTable.count, 0);
  EXPECT_EQ(ShareViewShown, 1);            // left as it was
  EXPECT_STREQ(SelectedDeviceIp, "10.0.0.9");  // left as it was

  Search();  // nobody answers now: the list empties, no message
  EXPECT_TRUE(List()->rows.empty());
  EXPECT_TRUE(memory_ui::MessageBoxes().empty());
}

class ClickTest : public SearchPageTest {
 protected:
  void SetUp() override {
    SearchPageTest::SetUp();
    CreatePage();
    Online();
    Answer("10.0.0.5", "nas1", '0');
    Answer("10.0.0.6", "nas2", '1', "255.255.0.0", "10.0.0.254");
    Search();
  }
};

TEST_F(ClickTest, ClickFillsTheSelectionAndAsksTheDeviceForItsShares) {
  AnswerShares("10.0.0.6", "a:b");
  std::memset(SelectedDeviceIp, 'x', sizeof SelectedDeviceIp);
  ClickRow(1);

  EXPECT_EQ(SelectedDevice.deviceName, "nas2");
  EXPECT_EQ(SelectedDevice.deviceIpText, "10.0.0.6");
  EXPECT_EQ(SelectedDevice.shareHostText, "10.0.0.6");
  EXPECT_EQ(SelectedDevice.deviceNetmaskText, "255.255.0.0");
  EXPECT_EQ(SelectedDevice.deviceGatewayText, "10.0.0.254");
  EXPECT_EQ(SelectedDevice.ipAddress, platform::InetAddr("10.0.0.6"));
  EXPECT_EQ(SelectedDevice.netmaskAddress, platform::InetAddr("255.255.0.0"));
  EXPECT_EQ(SelectedDevice.gatewayAddress, platform::InetAddr("10.0.0.254"));
  EXPECT_EQ(SelectedDevice.dhcpEnabled, 1);
  EXPECT_EQ(SelectedDevice.deviceSelected, 1);
  // zero-padded to its 16 bytes
  EXPECT_EQ(std::string(SelectedDeviceIp, sizeof SelectedDeviceIp), std::string("10.0.0.6") + std::string(8, '\0'));
  EXPECT_EQ(ShareList.count, 2);
  ASSERT_EQ(ShareViewTable.count, 2);
  EXPECT_STREQ(ShareViewTable.rows[1].cellText, "b");
  EXPECT_EQ(memory_ui::Focus(), page->GetDlgItem(IDC_DEVICE_LIST));

  ClickRow(0);  // no share answer: an empty share view, a DHCP flag from the record
  EXPECT_EQ(SelectedDevice.dhcpEnabled, 0);
  EXPECT_EQ(ShareViewTable.count, 0);
}

TEST_F(ClickTest, ShareViewHoldsTheDevicesConnectionsByNameOrAddressInAnyCase) {
  DriveOf('F').remote = "\\\\NAS2\\A";
  DriveOf('E').remote = "\\\\10.0.0.6\\b";
  DriveOf('G').remote = "\\\\nas2\\B";
  DriveOf('H').remote = "\\\\other\\a";  // the same share name on another server
  ReadConnections();
  ShareViewShown = 1;
  AnswerShares("10.0.0.6", "a:b");
  ClickRow(1);

  std::vector<std::string> cells;
  for (int i = 0; i < ShareViewTable.count; ++i) {
    const ShareViewRow& r = ShareViewTable.rows[i];
    cells.push_back(std::to_string(r.item) + "," + std::to_string(r.column) + "," + r.cellText);
  }
  EXPECT_EQ(cells, (std::vector<std::string>{"0,0,a", "0,1,F:", "1,0,b", "1,1,E:", "1,1,G:"}));
  EXPECT_EQ(ShareViewShown, 0);
}

TEST_F(ClickTest, ClickOnEmptySpaceEmptiesTheTextsAndKeepsTheRest) {
  AnswerShares("10.0.0.6", "a");
  ClickRow(1);
  int queries = net.CountOf(Kind::SendTo);
  ShareViewShown = 1;

  ClickRow(-1);
  EXPECT_EQ(SelectedDevice.deviceName, "");
  EXPECT_EQ(SelectedDevice.deviceIpText, "");
  EXPECT_EQ(SelectedDevice.shareHostText, "");
  EXPECT_EQ(SelectedDevice.deviceSelected, 1);
  EXPECT_EQ(SelectedDevice.ipAddress, platform::InetAddr("10.0.0.6"));
  EXPECT_EQ(SelectedDevice.dhcpEnabled, 1);
  EXPECT_STREQ(SelectedDeviceIp, "10.0.0.6");
  EXPECT_EQ(ShareViewTable.count, 1);
  EXPECT_EQ(ShareViewShown, 0);
  EXPECT_EQ(net.CountOf(Kind::SendTo), queries);  // no share query
}

TEST_F(ClickTest, RowScrolledAboveTheTopCountsAsNoSelection) {
  List()->topIndex = 1;
  ClickRow(0);
  EXPECT_EQ(SelectedDevice.deviceName, "");
  EXPECT_EQ(SelectedDevice.deviceSelected, 1);
  EXPECT_STREQ(SelectedDeviceIp, "");
}

TEST_F(ClickTest, RowWhoseAddressNoDeviceHasKeepsTheDhcpFlag) {
  SelectedDevice.dhcpEnabled = 1;
  List()->rows[0].cells[1] = "10.0.0.50";  // the device moved since the search
  ClickRow(0);
  EXPECT_EQ(SelectedDevice.dhcpEnabled, 1);
  EXPECT_STREQ(SelectedDeviceIp, "10.0.0.50");
}

TEST_F(SearchPageTest, EscapeAndTimerLeaveThePageAlone) {
  CreatePage();
  memory_ui::Send(*page, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  memory_ui::Send(*page, WM_TIMER, 1);
  EXPECT_TRUE(memory_ui::Window(*page) != nullptr);
  EXPECT_TRUE(memory_ui::PostedMessages().empty());
}

}  // namespace
}  // namespace search_test
