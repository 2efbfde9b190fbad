// Message maps, notification reflection and the in-memory windows, on the
// program's own templates (IDD_SEARCH: buttons and a list; IDD_FINDER: the tab control).
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/memory_ui.h"
#include "res/resource.h"

namespace {

class RecordingPage : public CDialog {
 public:
  RecordingPage() : CDialog(IDD_SEARCH) {}
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
  ON_BN_CLICKED(IDC_SEARCH_DEVICE, OnSearch)
  ON_NOTIFY(NM_CLICK, IDC_DEVICE_LIST, OnListClick)
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
  ASSERT_TRUE(page.Create(IDD_SEARCH));
  memory_ui::Click(page, IDC_SEARCH_DEVICE);
  memory_ui::Click(page, IDC_CONFIGURE);  // no entry: nothing happens
  memory_ui::ClickList(page, IDC_DEVICE_LIST);
  memory_ui::Send(page, WM_TIMER, 42);
  memory_ui::Paint(page);
  EXPECT_EQ(page.calls, (std::vector<std::string>{"search", "list " + std::to_string(IDC_DEVICE_LIST), "timer 42", "paint"}));

  // another code from the same control does not match BN_CLICKED
  memory_ui::Send(page, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_DEVICE, 5));
  EXPECT_EQ(page.calls.size(), 4u);
}

TEST_F(MessageMapTest, NotifyHandlerResultIsReturned) {
  RecordingPage page;
  page.Create(IDD_SEARCH);
  NMHDR header = {memory_ui::Control(page, IDC_DEVICE_LIST), IDC_DEVICE_LIST, NM_CLICK};
  EXPECT_EQ(memory_ui::Send(page, WM_NOTIFY, IDC_DEVICE_LIST, reinterpret_cast<LPARAM>(&header)), 7);
}

TEST_F(MessageMapTest, DefaultHandsTheMessageBackToTheSystem) {
  RecordingPage page;
  page.Create(IDD_SEARCH);
  LRESULT result = 0;
  EXPECT_TRUE(page.OnWndMsg(WM_PAINT, 0, 0, &result));
  page.paintByDefault = true;
  EXPECT_FALSE(page.OnWndMsg(WM_PAINT, 0, 0, &result));
  EXPECT_FALSE(page.OnWndMsg(WM_QUERYDRAGICON, 0, 0, &result));  // no entry
}

TEST_F(MessageMapTest, BaseMapTakesWhatTheDerivedMapLeaves) {
  RecordingPage page;
  page.Create(IDD_SEARCH);
  // Escape and the close box reach CDialog's IDCANCEL entry, which calls the override
  memory_ui::Send(page, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  memory_ui::Send(page, WM_CLOSE);
  EXPECT_EQ(page.calls, (std::vector<std::string>{"cancel", "cancel"}));
}

TEST_F(MessageMapTest, ModelessDialogEndsHidden) {
  CDialog page(IDD_IP_SETTINGS);
  ASSERT_TRUE(page.Create(IDD_IP_SETTINGS));
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
  TabOwner() : CDialog(IDD_FINDER) {}
  ReflectingTab tab;
  int parentSelChanges = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_PAGE_TAB, tab); }
  void OnTabSelChange(NMHDR*, LRESULT*) { ++parentSelChanges; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TabOwner, CDialog)
  ON_NOTIFY(TCN_SELCHANGE, IDC_PAGE_TAB, OnTabSelChange)
END_MESSAGE_MAP()

TEST_F(MessageMapTest, NotificationsGoBackToTheControlThatSentThem) {
  TabOwner owner;
  ASSERT_TRUE(owner.Create(IDD_FINDER));
  EXPECT_EQ(owner.tab.calls, std::vector<std::string>{"bound"});
  EXPECT_EQ(CWnd::FromHandle(memory_ui::Control(owner, IDC_PAGE_TAB)), &owner.tab);

  MemoryWindow* tab = memory_ui::Control(owner, IDC_PAGE_TAB);
  NMHDR header = {tab, IDC_PAGE_TAB, TCN_SELCHANGE};
  EXPECT_EQ(memory_ui::Send(owner, WM_NOTIFY, IDC_PAGE_TAB, reinterpret_cast<LPARAM>(&header)), 3);
  EXPECT_EQ(owner.parentSelChanges, 0);  // taken by the control

  owner.tab.reflect = false;  // the control declines: the parent gets it
  memory_ui::Send(owner, WM_NOTIFY, IDC_PAGE_TAB, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(owner.parentSelChanges, 1);

  DRAWITEMSTRUCT draw = {};
  draw.itemID = 2;
  draw.hwndItem = tab;
  EXPECT_EQ(memory_ui::Send(owner, WM_DRAWITEM, IDC_PAGE_TAB, reinterpret_cast<LPARAM>(&draw)), TRUE);
  EXPECT_EQ(owner.tab.calls.back(), "draw 2");
}

TEST_F(MessageMapTest, DestroyedWindowsLeaveTheirObjectsWithoutHandles) {
  auto owner = std::make_unique<TabOwner>();
  owner->Create(IDD_FINDER);
  CDialog page(IDD_SEARCH);
  page.Create(IDD_SEARCH, &owner->tab);
  EXPECT_EQ(page.GetParent(), &owner->tab);
  owner.reset();
  EXPECT_EQ(page.m_hWnd, nullptr);
}

TEST_F(MessageMapTest, ControlsKeepTheirStateAsTheRealOnesDo) {
  CDialog page(IDD_DRIVE_MAP);
  page.Create(IDD_DRIVE_MAP);
  CComboBox drives;
  drives.SubclassWindow(page.GetDlgItem(IDC_DRIVE_COMBO));
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
  list.SubclassWindow(page.GetDlgItem(IDC_SHARE_LIST));
  list.InsertItem(0, "", 0);
  list.InsertItem(5, "", 0);  // past the end: appended
  list.SetItemText(1, 1, "F:");
  memory_ui::SelectRow(page, IDC_SHARE_LIST, 1);
  EXPECT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetItemText(1, 1), "F:");
  EXPECT_EQ(list.GetItemText(0, 1), "");
  EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), LVIS_SELECTED);
  EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), 0u);
  EXPECT_EQ(list.GetItemState(9, LVIS_SELECTED), 0u);
}

TEST_F(MessageMapTest, AddressControlReadsBlankFieldsAsZero) {
  CDialog page(IDD_IP_SETTINGS);
  page.Create(IDD_IP_SETTINGS);
  CIPAddressCtrl ip;
  ip.SubclassWindow(page.GetDlgItem(IDC_IP_ADDRESS));
  EXPECT_TRUE(ip.IsBlank());
  ip.SetAddress(0xC0A8010A);
  BYTE a, b, c, d;
  EXPECT_EQ(ip.GetAddress(a, b, c, d), 4);
  EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{192, 168, 1, 10}));
  memory_ui::SetAddressFields(page, IDC_IP_ADDRESS, 10, 0, 0, -1);
  EXPECT_FALSE(ip.IsBlank());
  EXPECT_EQ(ip.GetAddress(a, b, c, d), 3);
  EXPECT_EQ(d, 0);
  ip.ClearAddress();
  EXPECT_TRUE(ip.IsBlank());
}

TEST_F(MessageMapTest, ClickTogglesAnAutomaticCheckBoxAndSkipsDisabledControls) {
  RecordingPage page;
  page.Create(IDD_SEARCH);
  memory_ui::Click(page, IDC_CREATE_SHORTCUT);
  EXPECT_EQ(memory_ui::Control(page, IDC_CREATE_SHORTCUT)->check, BST_CHECKED);
  memory_ui::Click(page, IDC_SEARCH_DEVICE);  // an ordinary push button has no check state
  EXPECT_EQ(memory_ui::Control(page, IDC_SEARCH_DEVICE)->check, BST_UNCHECKED);
  memory_ui::Control(page, IDC_SEARCH_DEVICE)->enabled = false;
  memory_ui::Click(page, IDC_SEARCH_DEVICE);
  EXPECT_EQ(page.calls, std::vector<std::string>{"search"});
}

TEST_F(MessageMapTest, MessageBoxesAndPostedMessagesAreRecorded) {
  CDialog page(IDD_SEARCH);
  page.Create(IDD_SEARCH);
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
