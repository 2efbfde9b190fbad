// "Configure" and "OK": the browser chosen from the registry, the fallback to
// Explorer, the share root, closing the program; reading registry texts.
#include "tests/unit/search/search_fixture.h"

#include "app/finder_app.h"
#include "app/finder_dlg.h"
#include "search/web_commands.h"
#include "shared/open_commands.h"
#include "shared/registry_text.h"

namespace search_test {
namespace {

using platform::Hive;
using platform::memory_registry::SetValue;
using platform::memory_shell::Shell;

const char kBrowserKey[] = "Software\\Clients\\StartMenuInternet";

void DefaultBrowser(const std::string& name, const std::string& openCommand) {
  SetValue(Hive::LocalMachine, kBrowserKey, "", name + '\0');
  SetValue(Hive::LocalMachine, std::string(kBrowserKey) + "\\" + name + "\\shell\\open\\command", "",
           openCommand + '\0');
}

TEST(ReadRegistryText, AlwaysATerminatedTextWithinItsBuffer) {
  platform::memory_registry::Reset();
  EXPECT_EQ(ReadRegistryText(Hive::CurrentUser, "Missing", ""), "");
  SetValue(Hive::CurrentUser, "K", "", std::string("abc\0def", 7));
  EXPECT_EQ(ReadRegistryText(Hive::CurrentUser, "K", ""), "abc");
  EXPECT_EQ(ReadRegistryText(Hive::CurrentUser, "K", "other"), "");
  SetValue(Hive::CurrentUser, "K", "", "xyz");  // no terminator
  EXPECT_EQ(ReadRegistryText(Hive::CurrentUser, "K", ""), "xyz");
  SetValue(Hive::CurrentUser, "K", "", std::string(120, 'a'));  // exactly 120, no terminator
  EXPECT_EQ(ReadRegistryText(Hive::CurrentUser, "K", ""), std::string(119, 'a'));
  SetValue(Hive::CurrentUser, "K", "", std::string(121, 'a'));  // longer than the buffer
  EXPECT_EQ(ReadRegistryText(Hive::CurrentUser, "K", ""), "");
  SetValue(Hive::CurrentUser, "K", "", "\x01\xff\x7f");  // binary
  EXPECT_EQ(ReadRegistryText(Hive::CurrentUser, "K", ""), "\x01\xff\x7f");
  EXPECT_EQ(platform::memory_registry::OpenKeys(), 0);
}

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::memory_registry::Reset();
    platform::memory_shell::Reset();
  }
  static std::vector<std::string> Started() {
    std::vector<std::string> lines;
    for (const auto& s : Shell().started) {
      EXPECT_EQ(s.verb, "WinExec");
      EXPECT_EQ(s.showMode, 0);
      lines.push_back(s.file);
    }
    return lines;
  }
};

TEST_F(BrowserTest, CapitalIeAnywhereChoosesExplorer) {
  DefaultBrowser("IEXPLORE.EXE", "\"C:\\ie.exe\"");
  EXPECT_EQ(BrowserCommandLine("10.0.0.5"), "explorer http://10.0.0.5");
  DefaultBrowser("MyIEx", "x");
  EXPECT_EQ(BrowserCommandLine("10.0.0.5"), "explorer http://10.0.0.5");
}

TEST_F(BrowserTest, OtherBrowsersRunTheirOpenCommandWhole) {
  DefaultBrowser("FIREFOX.EXE", "\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -osint -url \"%1\"");
  EXPECT_EQ(BrowserCommandLine("10.0.0.5"),
            "\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -osint -url \"%1\" http://10.0.0.5");
  DefaultBrowser("iexplore", "\"C:\\low.exe\"");  // lower case does not count
  EXPECT_EQ(BrowserCommandLine("10.0.0.5"), "\"C:\\low.exe\" http://10.0.0.5");
}

TEST_F(BrowserTest, NoBrowserKnownGivesABlankAndTheUrl) {
  EXPECT_EQ(BrowserCommandLine("10.0.0.5"), " http://10.0.0.5");
}

TEST_F(BrowserTest, CommandThatDoesNotFitIsNeverCut) {
  // 127 characters fit the 128-byte line; one more goes to Explorer
  std::string fits(127 - std::string(" http://10.0.0.5").size(), 'c');
  DefaultBrowser("B", fits);
  EXPECT_EQ(BrowserCommandLine("10.0.0.5"), fits + " http://10.0.0.5");
  DefaultBrowser("B", fits + "c");
  EXPECT_EQ(BrowserCommandLine("10.0.0.5"), "explorer http://10.0.0.5");
  DefaultBrowser("B", std::string(119, 'c'));
  OpenWebPage("255.255.255.255");
  EXPECT_EQ(Started(), (std::vector<std::string>{"explorer http://255.255.255.255"}));
}

TEST_F(BrowserTest, MissingProgramFallsBackToExplorerOnce) {
  for (unsigned result : {2u, 3u, 11u}) {
    Shell().started.clear();
    Shell().runResults = {result, 2};
    DefaultBrowser("B", "b.exe");
    OpenWebPage("10.0.0.5");
    EXPECT_EQ(Started(), (std::vector<std::string>{"b.exe http://10.0.0.5", "explorer http://10.0.0.5"}))
        << result;
  }
  for (unsigned result : {0u, 5u, 8u, 33u}) {
    Shell().started.clear();
    Shell().runResults = {result};
    OpenWebPage("10.0.0.5");
    EXPECT_EQ(Started().size(), 1u) << result;
  }
}

class CommandsTest : public SearchPageTest {
 protected:
  void SetUp() override {
    SearchPageTest::SetUp();
    CreatePage();
    Online();
    Answer("10.0.0.5", "nas1");
    Answer("10.0.0.6", "nas2");
    Search();
    DefaultBrowser("B", "b.exe");
  }
};

TEST_F(CommandsTest, ConfigureOpensTheSelectedRowsWebPage) {
  memory_ui::SelectRow(*page, IDC_DEVICE_LIST, 1);  // keyboard selection, no click: the row counts
  memory_ui::Click(*page, IDC_CONFIGURE);
  ASSERT_EQ(Shell().started.size(), 1u);
  EXPECT_EQ(Shell().started[0].file, "b.exe http://10.0.0.6");
  EXPECT_TRUE(memory_ui::MessageBoxes().empty());
}

TEST_F(CommandsTest, ConfigureWithoutSelectionWarns) {
  List()->topIndex = 1;
  memory_ui::SelectRow(*page, IDC_DEVICE_LIST, 0);  // above the top: no selection
  memory_ui::Click(*page, IDC_CONFIGURE);
  Search();
  memory_ui::Click(*page, IDC_CONFIGURE);
  ASSERT_EQ(memory_ui::MessageBoxes().size(), 2u);
  const ShownMessageBox& box = memory_ui::MessageBoxes()[0];
  EXPECT_EQ(box.text, "You should select a sever to connect.");
  EXPECT_EQ(box.caption, "Warning");
  EXPECT_EQ(box.type, MB_ICONEXCLAMATION);
  EXPECT_EQ(box.owner, page->m_hWnd);
  EXPECT_TRUE(Shell().started.empty());
}

TEST_F(CommandsTest, OkOpensTheSelectedOrFirstDevicesShareRoot) {
  memory_ui::SelectRow(*page, IDC_DEVICE_LIST, 1);
  memory_ui::Click(*page, IDC_SEARCH_OK);
  memory_ui::SelectRow(*page, IDC_DEVICE_LIST, -1);
  memory_ui::Send(*page, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));  // Enter
  List()->topIndex = 1;
  memory_ui::Click(*page, IDC_SEARCH_OK);  // none selected from the top: still row 0
  List()->topIndex = 2;
  memory_ui::Click(*page, IDC_SEARCH_OK);  // nothing from the top on: nothing opened
  ASSERT_EQ(Shell().started.size(), 3u);
  for (const auto& s : Shell().started) {
    EXPECT_EQ(s.verb, "open");
    EXPECT_EQ(s.file, "explorer");
    EXPECT_EQ(s.showMode, 1);
  }
  EXPECT_EQ(Shell().started[0].parameters, "\\\\10.0.0.6");
  EXPECT_EQ(Shell().started[1].parameters, "\\\\10.0.0.5");
  EXPECT_EQ(Shell().started[2].parameters, "\\\\10.0.0.5");
  EXPECT_TRUE(memory_ui::PostedMessages().empty());  // a page without a main dialog closes nothing
}

TEST_F(SearchPageTest, OkClosesTheMainDialogAlsoOnAnEmptyList) {
  CFinderApp app;
  CFinderDlg dialog;
  ASSERT_TRUE(dialog.Create(CFinderDlg::IDD));
  MemoryWindow* tab = memory_ui::Control(dialog, IDC_PAGE_TAB);
  auto* searchPage = reinterpret_cast<CWnd*>(tab->itemData[0]);
  memory_ui::Click(*searchPage, IDC_SEARCH_OK);
  EXPECT_TRUE(platform::memory_shell::Shell().started.empty());
  ASSERT_EQ(memory_ui::PostedMessages().size(), 1u);
  EXPECT_EQ(memory_ui::PostedMessages()[0].target, dialog.m_hWnd);
  EXPECT_EQ(memory_ui::PostedMessages()[0].message, WM_CLOSE);
  EXPECT_EQ(memory_ui::PostedMessages()[0].wParam, 0u);
  EXPECT_EQ(memory_ui::PostedMessages()[0].lParam, 0);
}

}  // namespace
}  // namespace search_test
