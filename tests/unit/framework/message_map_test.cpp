// Message maps, notification reflection and the in-memory windows, on the
// program's own templates (131: buttons and a list; 102: the tab control).
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/memory_ui.h"

namespace {

class RecordingPage : public CDialog {
 public:
  RecordingPage() : CDialog(131) {}
  std::vector<std::string> calls;
  bool paintByDefault = false;

 protected:
  void OnSearch() { calls.push_back("search"); }
  void OnListClick(NMHDR* header, LRESULT* result) {
    calls.push_back("list " + std::to_string(header->idFrom));
    *result = 7;
  }
  void OnPaint() {
    calls.push_back("paint");
    if (paintByDefault) Default();
  }
  void OnTimer(UINT_PTR id) { calls.push_back("timer " + std::to_string(id)); }
  void OnCancel() override { calls.push_back("cancel"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingPage, CDialog)
  ON_BN_CLICKED(1017, OnSearch)
  ON_NOTIFY(NM_CLICK, 1016, OnListClick)
  ON_WM_PAINT()
  ON_WM_TIMER()
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
 protected:
  void SetUp() override { memory_ui::Reset(); }
  void TearDown() override { memory_ui::Reset(); }
};

TEST_F(MessageMapTest, RoutesCommandsNotificationsAndMessagesByIdAndCode) {
  RecordingPage page;
  ASSERT_TRUE(page.Create(131));
  memory_ui::Click(page, 1017);
  memory_ui::Click(page, 1015);  // no entry: nothing happens
  memory_ui::ClickList(page, 1016);
  memory_ui::Send(page, WM_TIMER, 42);
  memory_ui::Paint(page);
  EXPECT_EQ(page.calls, (std::vector<std::string>{"search", "list 1016", "timer 42", "paint"}));

  // another code from the same control does not match BN_CLICKED
  memory_ui::Send(page, WM_COMMAND, MAKEWPARAM(1017, 5));
  EXPECT_EQ(page.calls.size(), 4u);
}

TEST_F(MessageMapTest, NotifyHandlerResultIsReturned) {
  RecordingPage page;
  page.Create(131);
  NMHDR header = {memory_ui::Control(page, 1016), 1016, NM_CLICK};
  EXPECT_EQ(memory_ui::Send(page, WM_NOTIFY, 1016, reinterpret_cast<LPARAM>(&header)), 7);
}

TEST_F(MessageMapTest, DefaultHandsTheMessageBackToTheSystem) {
  RecordingPage page;
  page.Create(131);
  LRESULT result = 0;
  EXPECT_TRUE(page.OnWndMsg(WM_PAINT, 0, 0, &result));
  page.paintByDefault = true;
  EXPECT_FALSE(page.OnWndMsg(WM_PAINT, 0, 0, &result));
  EXPECT_FALSE(page.OnWndMsg(WM_QUERYDRAGICON, 0, 0, &result));  // no entry
}

TEST_F(MessageMapTest, BaseMapTakesWhatTheDerivedMapLeaves) {
  RecordingPage page;
  page.Create(131);
  // Escape and the close box reach CDialog's IDCANCEL entry, which calls the override
  memory_ui::Send(page, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  memory_ui::Send(page, WM_CLOSE);
  EXPECT_EQ(page.calls, (std::vector<std::string>{"cancel", "cancel"}));
}

TEST_F(MessageMapTest, ModelessDialogEndsHidden) {
  CDialog page(129);
  ASSERT_TRUE(page.Create(129));
  EXPECT_FALSE(memory_ui::Window(page)->visible);  // child templates are created hidden
  page.ShowWindow(SW_SHOW);
  memory_ui::Send(page, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  EXPECT_FALSE(memory_ui::Window(page)->visible);
  EXPECT_NE(page.m_hWnd, nullptr);  // hidden, not destroyed
}

class ReflectingTab : public CTabCtrl {
 public:
  std::vector<std::string> calls;
  bool reflect = true;

 protected:
  void PreSubclassWindow() override { calls.push_back("bound"); }
  void OnSelChange(NMHDR*, LRESULT* result) {
    calls.push_back("reflected");
    *result = 3;
    if (!reflect) Default();
  }
  void DrawItem(LPDRAWITEMSTRUCT drawItem) override {
    calls.push_back("draw " + std::to_string(drawItem->itemID));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingTab, CTabCtrl)
  ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

class TabOwner : public CDialog {
 public:
  TabOwner() : CDialog(102) {}
  ReflectingTab tab;
  int parentSelChanges = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, 1000, tab); }
  void OnTabSelChange(NMHDR*, LRESULT*) { ++parentSelChanges; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TabOwner, CDialog)
  ON_NOTIFY(TCN_SELCHANGE, 1000, OnTabSelChange)
END_MESSAGE_MAP()

TEST_F(MessageMapTest, NotificationsGoBackToTheControlThatSentThem) {
  TabOwner owner;
  ASSERT_TRUE(owner.Create(102));
  EXPECT_EQ(owner.tab.calls, std::vector<std::string>{"bound"});
  EXPECT_EQ(CWnd::FromHandle(memory_ui::Control(owner, 1000)), &owner.tab);

  MemoryWindow* tab = memory_ui::Control(owner, 1000);
  NMHDR header = {tab, 1000, TCN_SELCHANGE};
  EXPECT_EQ(memory_ui::Send(owner, WM_NOTIFY, 1000, reinterpret_cast<LPARAM>(&header)), 3);
  EXPECT_EQ(owner.parentSelChanges, 0);  // taken by the control

  owner.tab.reflect = false;  // the control declines: the parent gets it
  memory_ui::Send(owner, WM_NOTIFY, 1000, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(owner.parentSelChanges, 1);

  DRAWITEMSTRUCT draw = {};
  draw.itemID = 2;
  draw.hwndItem = tab;
  EXPECT_EQ(memory_ui::Send(owner, WM_DRAWITEM, 1000, reinterpret_cast<LPARAM>(&draw)), TRUE);
  EXPECT_EQ(owner.tab.calls.back(), "draw 2");
}

TEST_F(MessageMapTest, DestroyedWindowsLeaveTheirObjectsWithoutHandles) {
  auto owner = std::make_unique<TabOwner>();
  owner->Create(102);
  CDialog page(131);
  page.Create(131, &owner->tab);
  EXPECT_EQ(page.GetParent(), &owner->tab);
  owner.reset();
  EXPECT_EQ(page.m_hWnd, nullptr);
}

TEST_F(MessageMapTest, ControlsKeepTheirStateAsTheRealOnesDo) {
  CDialog page(130);
  page.Create(130);
  CComboBox drives;
  drives.SubclassWindow(page.GetDlgItem(1004));
  drives.AddString("G:");
  drives.AddString("e:");
  drives.AddString("F:  \\\\server\\share");
  std::string text;
  EXPECT_EQ(drives.GetLBText(0, text), 2);
  EXPECT_EQ(text, "e:");  // sorted, ignoring letter case
  EXPECT_EQ(drives.GetLBText(3, text), CB_ERR);
  EXPECT_EQ(text, "");
  EXPECT_EQ(drives.GetCurSel(), CB_ERR);

  CListCtrl list;
  list.SubclassWindow(page.GetDlgItem(1013));
  list.InsertItem(0, "", 0);
  list.InsertItem(5, "", 0);  // past the end: appended
  list.SetItemText(1, 1, "F:");
  memory_ui::SelectRow(page, 1013, 1);
  EXPECT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetItemText(1, 1), "F:");
  EXPECT_EQ(list.GetItemText(0, 1), "");
  EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), LVIS_SELECTED);
  EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), 0u);
  EXPECT_EQ(list.GetItemState(9, LVIS_SELECTED), 0u);
}

TEST_F(MessageMapTest, AddressControlReadsBlankFieldsAsZero) {
  CDialog page(129);
  page.Create(129);
  CIPAddressCtrl ip;
  ip.SubclassWindow(page.GetDlgItem(1009));
  EXPECT_TRUE(ip.IsBlank());
  ip.SetAddress(0xC0A8010A);
  BYTE a, b, c, d;
  EXPECT_EQ(ip.GetAddress(a, b, c, d), 4);
  EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{192, 168, 1, 10}));
  memory_ui::SetAddressFields(page, 1009, 10, 0, 0, -1);
  EXPECT_FALSE(ip.IsBlank());
  EXPECT_EQ(ip.GetAddress(a, b, c, d), 3);
  EXPECT_EQ(d, 0);
  ip.ClearAddress();
  EXPECT_TRUE(ip.IsBlank());
}

TEST_F(MessageMapTest, ClickTogglesAnAutomaticCheckBoxAndSkipsDisabledControls) {
  RecordingPage page;
  page.Create(131);
  memory_ui::Click(page, 1023);
  EXPECT_EQ(memory_ui::Control(page, 1023)->check, BST_CHECKED);
  memory_ui::Click(page, 1017);  // an ordinary push button has no check state
  EXPECT_EQ(memory_ui::Control(page, 1017)->check, BST_UNCHECKED);
  memory_ui::Control(page, 1017)->enabled = false;
  memory_ui::Click(page, 1017);
  EXPECT_EQ(page.calls, std::vector<std::string>{"search"});
}

TEST_F(MessageMapTest, MessageBoxesAndPostedMessagesAreRecorded) {
  CDialog page(131);
  page.Create(131);
  EXPECT_EQ(page.MessageBox("Unmount Disk OK!", "Confirm", MB_ICONINFORMATION), IDOK);
  page.PostMessage(WM_CLOSE);
  ASSERT_EQ(memory_ui::MessageBoxes().size(), 1u);
  EXPECT_EQ(memory_ui::MessageBoxes()[0].text, "Unmount Disk OK!");
  EXPECT_EQ(memory_ui::MessageBoxes()[0].caption, "Confirm");
  EXPECT_EQ(memory_ui::MessageBoxes()[0].type, MB_ICONINFORMATION);
  EXPECT_EQ(memory_ui::MessageBoxes()[0].owner, page.m_hWnd);
  ASSERT_EQ(memory_ui::PostedMessages().size(), 1u);
  EXPECT_EQ(memory_ui::PostedMessages()[0].message, WM_CLOSE);
}

}  // namespace
