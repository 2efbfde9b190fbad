// The application object and the main dialog: start-up, the three pages,
// the icon, and the ways the dialog ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/finder_app.h"
#include "app/finder_dlg.h"
#include "framework/memory_ui.h"
#include "res/resource.h"

namespace {

class FinderDlgTest : public ::testing::Test {
 protected:
  void SetUp() override { memory_ui::Reset(); }
  void TearDown() override { memory_ui::Reset(); }
};

HICON ProgramIcon() { return AfxGetApp()->LoadIcon(IDI_LUMASEEK); }

TEST_F(FinderDlgTest, InitInstanceRunsTheMainDialogModallyAndEndsTheProgram) {
  CFinderApp app;
  std::vector<std::string> titles;
  std::vector<std::string> pageTypes;
  bool mainWindowSet = false;
  memory_ui::ScriptModal([&](CDialog& shown) {
    mainWindowSet = AfxGetMainWnd() == &shown;
    MemoryWindow* tab = memory_ui::Control(shown, IDC_PAGE_TAB);
    titles = tab->items;
    CWnd* pages[] = {reinterpret_cast<CWnd*>(tab->itemData[0]), reinterpret_cast<CWnd*>(tab->itemData[1]),
                     reinterpret_cast<CWnd*>(tab->itemData[2])};
    pageTypes = {dynamic_cast<CSearchPage*>(pages[0]) ? "search" : "?",
                 dynamic_cast<CIpSettingsPage*>(pages[1]) ? "ip" : "?",
                 dynamic_cast<CDriveMapPage*>(pages[2]) ? "drives" : "?"};
    // every page is created and initialised, also the hidden ones
    EXPECT_EQ(memory_ui::Control(shown, IDC_DHCP_COMBO)->items.size(), 2u);
    EXPECT_EQ(memory_ui::Window(shown)->bigIcon, ProgramIcon());
    EXPECT_EQ(memory_ui::Window(shown)->smallIcon, ProgramIcon());
    EXPECT_EQ(memory_ui::Window(shown)->text, "lumaSeek (v1.0)   ");
    memory_ui::Send(shown, WM_CLOSE);
  });
  EXPECT_EQ(app.InitInstance(), FALSE);
  EXPECT_TRUE(mainWindowSet);
  EXPECT_EQ(titles, (std::vector<std::string>{"Search Device", "IP Settings", "Drive Mapping"}));
  EXPECT_EQ(pageTypes, (std::vector<std::string>{"search", "ip", "drives"}));
  ASSERT_EQ(memory_ui::Modals().size(), 1u);
  EXPECT_EQ(memory_ui::Modals()[0].templateId, 102u);
  EXPECT_EQ(memory_ui::Modals()[0].result, IDCANCEL);
  EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST_F(FinderDlgTest, EnterOnTheTabStripEndsTheDialogWithOk) {
  CFinderApp app;
  CFinderDlg dialog;
  // no default button: the dialog manager sends IDOK itself
  memory_ui::ScriptModal([](CDialog& shown) { memory_ui::Send(shown, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); });
  EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(FinderDlgTest, MinimisedDialogPaintsItsIconCentred) {
  CFinderApp app;
  CFinderDlg dialog;
  ASSERT_TRUE(dialog.Create(CFinderDlg::IDD));
  MemoryWindow* window = memory_ui::Window(dialog);

  memory_ui::Paint(dialog);  // not minimised: the default painting
  EXPECT_EQ(window->paints, 1);
  EXPECT_EQ(window->paintDC, nullptr);

  window->style |= WS_MINIMIZE;
  window->client = {0, 0, 161, 40};
  memory_ui::Paint(dialog);
  ASSERT_NE(window->paintDC, nullptr);
  ASSERT_EQ(window->paintDC->drawings.size(), 1u);
  const MemoryDrawing& icon = window->paintDC->drawings[0];
  EXPECT_EQ(icon.kind, MemoryDrawing::Icon);
  EXPECT_EQ(icon.rect.left, (161 - 32 + 1) / 2);
  EXPECT_EQ(icon.rect.top, (40 - 32 + 1) / 2);

  window->client = {0, 0, 20, 20};  // smaller than the icon: rounds toward zero
  memory_ui::Paint(dialog);
  EXPECT_EQ(window->paintDC->drawings[0].rect.left, -5);

  EXPECT_EQ(memory_ui::Send(dialog, WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(ProgramIcon()));
}

}  // namespace
