#include "search/search_page.h"

#include <cstring>

#include "framework/dc.h"
#include "platform/shell.h"
#include "platform/sockets.h"
#include "proto/exchanges.h"
#include "proto/text_copy.h"
#include "search/desktop_shortcuts.h"
#include "search/web_commands.h"
#include "shared/open_commands.h"
#include "shared/drive_tables.h"
#include "shared/row_selection.h"
#include "shared/selected_device.h"

namespace {

struct ListColumn {
  const char* title;
  int width;
};
constexpr ListColumn LIST_COLUMNS[] = {{"Name", 100}, {"IP", 100}, {"Netmask", 100}, {"Gateway", 100}};

// A connection belongs to the picked device when its server part is the
// device's name or the address its row showed, in any letter case.
bool ServerIsSelectedDevice(const char* serverText) {
  return EqualIgnoringAsciiCase(serverText, SelectedDevice.deviceName.c_str()) ||
         EqualIgnoringAsciiCase(serverText, SelectedDevice.shareHostText.c_str());
}

}  // namespace

BEGIN_MESSAGE_MAP(CSearchPage, CDialog)
  ON_BN_CLICKED(IDC_SEARCH_DEVICE, OnSearchDevice)
  ON_NOTIFY(NM_CLICK, IDC_DEVICE_LIST, OnListClick)
  ON_BN_CLICKED(IDC_CONFIGURE, OnConfigure)
  ON_BN_CLICKED(IDC_CREATE_SHORTCUT, OnCreateShortcut)
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_SEARCH_OK, OnOkButton)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CSearchPage::CSearchPage(CWnd* parent) : CDialog(IDD, parent) {}

void CSearchPage::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_CREATE_SHORTCUT, m_shortcutCheck);
  DDX_Control(dx, IDC_DEVICE_LIST, m_deviceList);
}

BOOL CSearchPage::OnInitDialog() {
  CDialog::OnInitDialog();

  std::string setting = LoadShortcutSetting();
  if (setting.empty()) StoreShortcutSetting(1);
  m_shortcutCheck.SetCheck(setting == "0" ? BST_UNCHECKED : BST_CHECKED);

  DiscoveryStartup();

  m_deviceList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  for (int i = 0; i < 4; ++i) m_deviceList.InsertColumn(i, LIST_COLUMNS[i].title, LVCFMT_LEFT, LIST_COLUMNS[i].width, i);

  OnSearchDevice();
  // after the first search, so its shortcut pass writes nothing: the first
  // paint writes them
  platform::ComInitialize();
  return TRUE;
}

void CSearchPage::OnSearchDevice() {
  m_deviceList.DeleteAllItems();
  ClearSelectedDeviceAddresses();
  ClearSelectedDeviceTexts();
  ShareViewTable.count = 0;

  SearchDevices(SEARCH_MATCH_CODE1, SEARCH_MATCH_CODE2);
  int row = 0;
  for (const DeviceRecord* device = DeviceList.head; device; device = device->next, ++row) {
    m_deviceList.InsertItem(row, "", 0);
    m_deviceList.SetItemText(row, 0, device->name);
    m_deviceList.SetItemText(row, 1, device->ipText);
    m_deviceList.SetItemText(row, 2, device->netmaskText);
    m_deviceList.SetItemText(row, 3, device->gatewayText);
  }
  SelectedDevice.deviceSelected = 0;
  SyncDesktopShortcuts();
}

void CSearchPage::OnListClick(NMHDR*, LRESULT* result) {
  ClearSelectedDeviceTexts();
  *result = 0;
  SelectedDevice.deviceSelected = 1;
  ShareViewShown = 0;
  m_deviceList.SetFocus();
  // the list allows one selected row; a click beside the rows leaves none
  int row = SelectedRowFromTop(m_deviceList);
  if (row < 0) return;

  // From the row's cells as shown, not from the record: after an address
  // change the list keeps the old texts until the next search, and so does
  // the selection; only the DHCP mode comes from a record of that address.
  std::string address = m_deviceList.GetItemText(row, 1);
  std::memset(SelectedDeviceIp, 0, sizeof SelectedDeviceIp);
  CopyText(SelectedDeviceIp, sizeof SelectedDeviceIp, address.c_str());
  SelectedDevice.ipAddress = platform::InetAddr(address.c_str());
  SelectedDevice.deviceIpText = address;
  for (const DeviceRecord* device = DeviceList.head; device; device = device->next) {
    if (address == device->ipText) SelectedDevice.dhcpEnabled = IsDhcpClient(*device) ? 1 : 0;
  }

  SelectedDevice.deviceNetmaskText = m_deviceList.GetItemText(row, 2);
  SelectedDevice.netmaskAddress = platform::InetAddr(SelectedDevice.deviceNetmaskText.c_str());
  SelectedDevice.deviceGatewayText = m_deviceList.GetItemText(row, 3);
  SelectedDevice.gatewayAddress = platform::InetAddr(SelectedDevice.deviceGatewayText.c_str());

  QueryShares();
  SelectedDevice.deviceName = m_deviceList.GetItemText(row, 0);
  SelectedDevice.shareHostText = m_deviceList.GetItemText(row, 1);
  BuildShareView(ServerIsSelectedDevice);
}

void CSearchPage::OnConfigure() {
  int row = SelectedRowFromTop(m_deviceList);
  if (row < 0) {
    MessageBox("You should select a sever to connect.", "Warning", MB_ICONEXCLAMATION);
    return;
  }
  OpenWebPage(m_deviceList.GetItemText(row, 1).c_str());
}

void CSearchPage::OnCreateShortcut() { SyncDesktopShortcuts(); }

void CSearchPage::OnPaint() {
  CPaintDC dc(this);
  SyncDesktopShortcuts();
}

void CSearchPage::OnOkButton() { OnOK(); }

void CSearchPage::OnOK() {
  OpenShareRoot(m_deviceList);
  CWnd* tabCtrl = GetParent();
  CWnd* mainDialog = tabCtrl ? tabCtrl->GetParent() : nullptr;
  if (mainDialog) mainDialog->PostMessage(WM_CLOSE, 0, 0);
}

void CSearchPage::OnTimer(UINT_PTR) { Default(); }

void CSearchPage::SyncDesktopShortcuts() { ::SyncDesktopShortcuts(m_shortcutCheck, m_deviceList); }
