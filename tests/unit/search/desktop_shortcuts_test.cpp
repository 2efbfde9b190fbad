// Desktop shortcuts: one per listed device while the box is checked, the
// stored setting, and device names that must not leave the desktop folder.
#include "tests/unit/search/search_fixture.h"

#include <cstdlib>
#include <ctime>
#include <vector>

namespace search_test {
namespace {

using platform::memory_shell::Shell;
const std::string kDesktop = "C:\\Users\\user\\Desktop";
const std::string kOne("1", 2), kZero("0", 2);

class ShortcutTest : public SearchPageTest {
 protected:
  void ListDevices(const std::vector<std::pair<const char*, std::string>>& devices) {
    CreatePage();
    Online();
    for (const auto& [ip, name] : devices) Answer(ip, name);
    Search();
  }
  static std::vector<std::string> LinkPaths() {
    std::vector<std::string> paths;
    for (const auto& link : Shell().links) paths.push_back(link.path);
    return paths;
  }
};

TEST_F(ShortcutTest, EverySearchAndPaintWritesOnePerDevice) {
  CreatePage();
  EXPECT_TRUE(Shell().links.empty());
  EXPECT_EQ(*StoredSetting(), kOne);

  Online();
  Answer("10.0.0.5", "nas1");
  Answer("10.0.0.6", "nas2");
  Search();
  ASSERT_EQ(Shell().links.size(), 2u);
  const platform::memory_shell::Link* nas1 = platform::memory_shell::LinkAt(kDesktop + "\\nas1.lnk");
  ASSERT_NE(nas1, nullptr);
  EXPECT_EQ(nas1->target, "\\\\10.0.0.5");
  EXPECT_EQ(nas1->iconFile, Shell().moduleFile);
  EXPECT_EQ(nas1->iconIndex, 1);
  EXPECT_EQ(platform::memory_shell::LinkAt(kDesktop + "\\nas2.lnk")->target, "\\\\10.0.0.6");

  memory_ui::Paint(*page);
  EXPECT_EQ(Shell().links.size(), 4u);
  EXPECT_EQ(memory_ui::Window(*page)->paints, 1);
}

// The engine makes its requester id from the time of day; replies for this
// second's id and the next one's make the first search find the device.
std::vector<std::uint8_t> IdForSecond(std::time_t second) {
  std::srand(static_cast<unsigned>(second));
  std::vector<std::uint8_t> id(CLIENT_ID_SIZE, 0);
  for (int i = 0; i < 6; ++i) id[i] = static_cast<std::uint8_t>(std::rand() & 0xFF);
  return id;
}

TEST_F(ShortcutTest, FirstSearchListsDevicesButOnlyThePaintAfterComWritesShortcuts) {
  net.hostAddresses = {platform::InetAddr("10.0.0.100")};
  const platform::SocketHandle receiveSocket = 101;  // opened after the one send socket
  std::time_t now = std::time(nullptr);
  for (std::time_t second : {now, now + 1}) {
    net.Deliver(receiveSocket, testing_support::ShortSearchReply(IdForSecond(second).data(), "10.0.0.5", "nas1"));
  }
  CreatePage();
  ASSERT_EQ(List()->rows.size(), 1u);
  EXPECT_TRUE(Shell().links.empty());
  EXPECT_EQ(*StoredSetting(), kOne);
  memory_ui::Paint(*page);
  ASSERT_EQ(Shell().links.size(), 1u);
  EXPECT_EQ(Shell().links[0].path, kDesktop + "\\nas1.lnk");
}

TEST_F(ShortcutTest, UncheckingStoresZeroAndKeepsTheFiles) {
  ListDevices({{"10.0.0.5", "nas1"}});
  ASSERT_EQ(Shell().links.size(), 1u);
  memory_ui::Click(*page, IDC_CREATE_SHORTCUT);
  EXPECT_EQ(*StoredSetting(), kZero);
  memory_ui::Paint(*page);
  Answer("10.0.0.5", "nas1");
  Search();
  ASSERT_EQ(List()->rows.size(), 1u);
  EXPECT_EQ(Shell().links.size(), 1u);  // nothing written, nothing removed

  memory_ui::Click(*page, IDC_CREATE_SHORTCUT);  // checked again: written at once
  EXPECT_EQ(*StoredSetting(), kOne);
  EXPECT_EQ(Shell().links.size(), 2u);
}

TEST_F(ShortcutTest, SameNameLaterRowWinsAndAnEmptyListStillStoresOne) {
  ListDevices({{"10.0.0.5", "nas"}, {"10.0.0.6", "nas"}});
  EXPECT_EQ(platform::memory_shell::LinkAt(kDesktop + "\\nas.lnk")->target, "\\\\10.0.0.6");

  platform::memory_registry::Reset();
  Shell().links.clear();
  Search();  // nobody answers
  EXPECT_TRUE(Shell().links.empty());
  EXPECT_EQ(*StoredSetting(), kOne);
}

TEST_F(ShortcutTest, HostileNamesGetNoShortcutWhileTheOthersDo) {
  const std::vector<std::string> hostile = {
      "..\\..\\evil", "../evil", "C:evil", "\\\\srv\\x", "..\\", "CON.", "nul ",
      "CON", "con.txt", "Nul", "AUX .x", "COM1", "lpt9.doc", "COM\xB9", "CONIN$",
      "a<b", "a>b", "a:b", "a\"b", "a|b", "a?b", "a*b", "a\tb", "a\x1f" "b", ""};
  std::vector<std::string> ips;
  for (std::size_t i = 0; i < hostile.size(); ++i) ips.push_back("10.0.1." + std::to_string(i + 1));
  std::vector<std::pair<const char*, std::string>> devices;
  for (std::size_t i = 0; i < hostile.size(); ++i) devices.push_back({ips[i].c_str(), hostile[i]});
  devices.push_back({"10.0.0.5", "nas1"});
  ListDevices(devices);

  ASSERT_EQ(List()->rows.size(), hostile.size() + 1);
  EXPECT_EQ(LinkPaths(), (std::vector<std::string>{kDesktop + "\\nas1.lnk"}));
  EXPECT_EQ(*StoredSetting(), kOne);
}

TEST(ShortcutNames, OrdinaryNamesAreKept) {
  for (const char* name : {"nas1", "NAS-2 (office)", "con1", "COM10", "LPT", "CONSOLE", "a.b.c",
                           "  leading", "prn_backup", "com0", "\xE9t\xE9", ".", "..", "nas.",
                           "nas "}) {
    EXPECT_TRUE(IsSafeShortcutName(name)) << name;
  }
}

// In code page 932 the second byte of ソ (0x83 0x5C) is a backslash's.
TEST_F(ShortcutTest, DoubleByteNamesAreJudgedByTheirCharacters) {
  Shell().codePage = "CP932";
  ListDevices({{"10.0.0.5", "nas\x83\x5C" "1"}, {"10.0.0.6", "\x83\x5C\\..\\x"},
               {"10.0.0.7", "\x83\x5C|"}, {"10.0.0.8", "CON.\x83\x5C"}});
  ASSERT_EQ(Shell().links.size(), 1u);
  EXPECT_EQ(Shell().links[0].widePath, L"C:\\Users\\user\\Desktop\\nas\u30BD1.lnk");
  EXPECT_EQ(Shell().links[0].target, "\\\\10.0.0.5");
  EXPECT_FALSE(IsSafeShortcutName("\x83"));  // a lead byte without its second byte
}

TEST_F(SearchPageTest, PathsThatDoNotFitGetNoShortcut) {
  char path[SHORTCUT_PATH_SIZE];
  EXPECT_TRUE(ShortcutPathFor("nas1", path));
  EXPECT_EQ(std::string(path), "C:\\Users\\user\\Desktop\\nas1.lnk");

  // 512 bytes with the terminator: the longest name that fits
  std::string fits(SHORTCUT_PATH_SIZE - 1 - kDesktop.size() - 5, 'n');
  EXPECT_TRUE(ShortcutPathFor(fits.c_str(), path));
  EXPECT_FALSE(ShortcutPathFor((fits + "n").c_str(), path));
  EXPECT_STREQ(path, "");

  // fits 512 but not the 260 wide characters of the save
  platform::memory_shell::Shell().comInitialized = true;
  EXPECT_TRUE(ShortcutPathFor(std::string(300, 'n').c_str(), path));
  EXPECT_EQ(WriteShortcut("\\\\10.0.0.5", path), 0);
  std::string longest = kDesktop + "\\" + std::string(259 - kDesktop.size() - 5, 'n') + ".lnk";
  EXPECT_EQ(WriteShortcut("\\\\10.0.0.5", longest.c_str()), 1);
  EXPECT_EQ(platform::memory_shell::Shell().links.size(), 1u);

  platform::memory_shell::Shell().desktop.clear();  // the folder cannot be determined
  EXPECT_FALSE(ShortcutPathFor("nas1", path));
}

TEST_F(SearchPageTest, SettingKeyThatCannotBeCreatedKeepsItsValue) {
  platform::memory_registry::SetValue(platform::Hive::CurrentUser, ShortcutSettingKey, "", kZero);
  platform::memory_registry::FailKeyCreation(true);
  StoreShortcutSetting(1);
  EXPECT_EQ(*StoredSetting(), kZero);
  EXPECT_EQ(platform::memory_registry::OpenKeys(), 0);
  EXPECT_EQ(LoadShortcutSetting(), "0");
}

}  // namespace
}  // namespace search_test
