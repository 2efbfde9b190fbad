// The page tab control inside the main dialog: page switching by the
// reflected selection notifications, and the drawing of a tab.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/finder_dlg.h"
#include "framework/app.h"
#include "framework/memory_ui.h"
#include "res/resource.h"

namespace {


class MainDialog : public CFinderDlg {
 public:
  using CFinderDlg::m_tabCtrl;
};

class PageTabCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    memory_ui::Reset();
    ASSERT_TRUE(dialog.Create(CFinderDlg::IDD));
    tab = memory_ui::Control(dialog, IDC_PAGE_TAB);
  }
  void TearDown() override { memory_ui::Reset(); }

  CWnd* Page(size_t index) const { return reinterpret_cast<CWnd*>(tab->itemData.at(index)); }
  std::vector<int> VisiblePages() const {
    std::vector<int> visible;
    for (size_t i = 0; i < tab->itemData.size(); ++i)
      if (memory_ui::Window(*Page(i))->visible) visible.push_back(static_cast<int>(i));
    return visible;
  }
  std::vector<MemoryDrawing> Draw(int item) {
    HDC dc = memory_ui::CreateDC();
    DRAWITEMSTRUCT draw = {};
    draw.CtlID = IDC_PAGE_TAB;
    draw.itemID = static_cast<UINT>(item);
    draw.hwndItem = tab;
    draw.hDC = dc;
    draw.rcItem = {10, 20, 110, 40};
    memory_ui::Send(dialog, WM_DRAWITEM, IDC_PAGE_TAB, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(dc->saved, 0) << "the device context's state is restored";
    return dc->drawings;
  }

  CWinApp app;
  MainDialog dialog;
  MemoryWindow* tab = nullptr;
};

TEST_F(PageTabCtrlTest, BindingTurnsOnOwnerDrawing) {
  EXPECT_TRUE(memory_ui::Window(dialog.m_tabCtrl)->style & TCS_OWNERDRAWFIXED);
}

TEST_F(PageTabCtrlTest, FirstPageAloneIsShownAtThePageOrigin) {
  EXPECT_EQ(tab->curSel, 0);
  EXPECT_EQ(VisiblePages(), std::vector<int>{0});
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(memory_ui::Window(*Page(i))->parent, tab) << i;
    EXPECT_EQ(memory_ui::Window(*Page(i))->x, 4) << i;
    EXPECT_EQ(memory_ui::Window(*Page(i))->y, 28) << i;
  }
}

TEST_F(PageTabCtrlTest, SelectionChangesShowOnePageAtATime) {
  for (int index : {2, 0, 1, 2, 0}) {
    memory_ui::SelectTab(dialog, IDC_PAGE_TAB, index);
    EXPECT_EQ(VisiblePages(), std::vector<int>{index}) << index;
  }
}

TEST_F(PageTabCtrlTest, OnlyASelectionChangeTouchesVisibility) {
  // a page hidden otherwise (Escape in the page) stays hidden under its tab
  memory_ui::SelectTab(dialog, IDC_PAGE_TAB, 1);
  memory_ui::Send(*Page(1), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  EXPECT_TRUE(VisiblePages().empty());
  memory_ui::SelectTab(dialog, IDC_PAGE_TAB, 1);  // the selected tab: no notification
  EXPECT_TRUE(VisiblePages().empty());
  memory_ui::SelectTab(dialog, IDC_PAGE_TAB, 0);
  memory_ui::SelectTab(dialog, IDC_PAGE_TAB, 1);
  EXPECT_EQ(VisiblePages(), std::vector<int>{1});
}

TEST_F(PageTabCtrlTest, SelectionNotificationsAllowTheChange) {
  NMHDR header = {tab, static_cast<UINT_PTR>(IDC_PAGE_TAB), TCN_SELCHANGING};
  EXPECT_EQ(memory_ui::Send(dialog, WM_NOTIFY, IDC_PAGE_TAB, reinterpret_cast<LPARAM>(&header)), 0);
  header.code = TCN_SELCHANGE;
  EXPECT_EQ(memory_ui::Send(dialog, WM_NOTIFY, IDC_PAGE_TAB, reinterpret_cast<LPARAM>(&header)), 0);
}

TEST_F(PageTabCtrlTest, DrawsFaceBelowTheEdgeAndTheTitleCentredInTheWholeItem) {
  auto drawings = Draw(1);
  ASSERT_EQ(drawings.size(), 2u);
  const MemoryDrawing& fill = drawings[0];
  EXPECT_EQ(fill.kind, MemoryDrawing::Fill);
  EXPECT_EQ(fill.rect.top, 20 + GetSystemMetrics(SM_CYEDGE));
  EXPECT_EQ(fill.rect.bottom, 40);
  EXPECT_EQ(fill.color, GetSysColor(COLOR_BTNFACE));
  const MemoryDrawing& text = drawings[1];
  EXPECT_EQ(text.kind, MemoryDrawing::Text);
  EXPECT_EQ(text.text, "IP Settings");
  EXPECT_EQ(text.rect.top, 20);
  EXPECT_EQ(text.rect.left, 10);
  EXPECT_EQ(text.flags, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  EXPECT_EQ(text.color, GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(text.bkMode, TRANSPARENT);
}

TEST_F(PageTabCtrlTest, LongTitleIsCutAfterItsSixtySecondCharacter) {
  std::string title;
  for (int i = 0; i < 70; ++i) title += static_cast<char>('a' + i % 26);
  dialog.m_tabCtrl.InsertItem(3, title.c_str(), 0);
  auto drawings = Draw(3);
  ASSERT_EQ(drawings.size(), 2u);
  EXPECT_EQ(drawings[1].text, title.substr(0, 62));
}

TEST_F(PageTabCtrlTest, NoItemOrNoTabDrawsNothing) {
  EXPECT_TRUE(Draw(-1).empty());
  EXPECT_TRUE(Draw(7).empty());
}

}  // namespace
