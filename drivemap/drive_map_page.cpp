#include "drivemap/drive_map_page.h"

#include <cstdio>
#include <string>

#include "framework/dc.h"
#include "platform/netconn.h"
#include "proto/exchanges.h"
#include "shared/drive_box.h"
#include "shared/drive_connect.h"
#include "shared/drive_tables.h"
#include "shared/login_dialog.h"
#include "shared/row_selection.h"
#include "shared/selected_device.h"

namespace {

constexpr int LOCAL_NAME_SIZE = 3;  // "E:"

constexpr char NO_SHARE_SELECTED_TEXT[] = "You should select a samba server disk to mount!";
constexpr char MAP_FAILED_TEXT[] = "Failed to map drive.";
constexpr char MAP_DONE_TEXT[] = "Successfully mapped drive.";
constexpr char UNMOUNT_FAILED_TEXT[] =
    "Unmount Disk Fail!\nPlease checked if you had selected a drive to un-mount,\n"
    "or any file opened on selected drive that did not close.";
constexpr char UNMOUNT_DONE_TEXT[] = "Unmount Disk OK!";

// Connections of the selected device as this page recognises them: by its
// name or by the address it was picked at, letter case counting.
bool ServedBySelectedDevice(const char* serverText) {
  return SelectedDevice.deviceName == serverText || SelectedDevice.shareHostText == serverText;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDriveMapPage, CDialog)
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_MAP_DRIVE, MapDrive)
  ON_BN_CLICKED(IDC_DISCONNECT_DRIVE, DisconnectDrive)
END_MESSAGE_MAP()

CDriveMapPage::CDriveMapPage(CWnd* parent) : CDialog(IDD, parent) {}

void CDriveMapPage::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_DRIVE_INFO, m_infoText);
  DDX_Control(dx, IDC_DRIVE_COMBO, m_driveCombo);
  DDX_Control(dx, IDC_SHARE_LIST, m_shareList);
}

BOOL CDriveMapPage::OnInitDialog() {
  CDialog::OnInitDialog();
  // the data exchange above has bound the window to m_shareList
  m_pShareList = static_cast<CListCtrl*>(CWnd::FromHandle(GetDlgItem(IDC_SHARE_LIST)));
  m_pShareList->SetExtendedStyle(LVS_EX_FULLROWSELECT);
  m_pShareList->InsertColumn(0, "Share name", LVCFMT_LEFT, 150, 0);
  m_pShareList->InsertColumn(1, "Connect to", LVCFMT_LEFT, 100, 1);
  return TRUE;
}

void CDriveMapPage::OnPaint() {
  CPaintDC dc(this);
  ReadConnections();
  FillDriveCombo();
  if (ShareViewShown == 0) {
    ShowShareView();
    ShareViewShown = 1;
  }
}

void CDriveMapPage::FillDriveCombo() { ::FillDriveCombo(m_driveCombo); }

void CDriveMapPage::ShowShareView() {
  m_pShareList->DeleteAllItems();
  m_pShareList->RedrawItems(0, m_pShareList->GetItemCount());
  for (std::int32_t r = 0; r < ShareViewTable.count; ++r) {
    const ShareViewRow& row = ShareViewTable.rows[r];
    if (row.column == 0) m_pShareList->InsertItem(row.item, "", 0);
    m_pShareList->SetItemText(row.item, row.column, row.cellText);
  }

  m_infoText.SetWindowText(SelectedDeviceSummary().c_str());
}

void CDriveMapPage::RebuildShareView() {
  ShareViewTable.count = 0;
  QueryShares();  // no answer leaves ShareList empty, and the list with it
  BuildShareView(ServedBySelectedDevice);
}

void CDriveMapPage::RefreshAfterChange() {
  ReadConnections();
  m_driveCombo.ResetContent();
  FillDriveCombo();
  RebuildShareView();
  ShareViewShown = 0;
  ShowShareView();
}

void CDriveMapPage::MapDrive() {
  LoginPurpose = LOGIN_FOR_SHARE;
  LoginUserName[0] = '\0';
  LoginPassword[0] = '\0';

  char server[ADDRESS_TEXT_SIZE];
  std::snprintf(server, sizeof server, "%s", SelectedDeviceIp);

  const int row = SelectedRowFromTop(*m_pShareList);
  if (row < 0) {
    MessageBox(NO_SHARE_SELECTED_TEXT, "Warning", MB_ICONWARNING);
    return;
  }
  const std::string share = m_pShareList->GetItemText(row, 0);

  const int entry = m_driveCombo.GetCurSel();
  if (entry < 0) return;
  std::string entryText;
  m_driveCombo.GetLBText(entry, entryText);
  char localName[LOCAL_NAME_SIZE];
  std::snprintf(localName, sizeof localName, "%.2s", entryText.c_str());

  char remoteName[REMOTE_SHARE_NAME_SIZE];
  std::snprintf(remoteName, sizeof remoteName, "\\\\%s\\%s", server, share.c_str());

  const auto askLogin = [] {
    CLoginDlg login;
    login.DoModal();
  };
  if (ConnectShare(localName, remoteName, LoginUserName, LoginPassword, askLogin) != platform::NET_OK) {
    MessageBox(MAP_FAILED_TEXT, "Error", MB_ICONERROR);
    return;
  }
  MessageBox(MAP_DONE_TEXT, "Confirm", MB_ICONINFORMATION);
  RefreshAfterChange();
}

void CDriveMapPage::DisconnectDrive() {
  std::string text;
  const int row = SelectedRowFromTop(*m_pShareList);
  if (row >= 0) {
    // a share without a letter gives an empty name, which the system refuses
    text = m_pShareList->GetItemText(row, 1);
  } else {
    const int entry = m_driveCombo.GetCurSel();
    if (entry < 0) return;
    m_driveCombo.GetLBText(entry, text);
  }
  char localName[LOCAL_NAME_SIZE];
  std::snprintf(localName, sizeof localName, "%.2s", text.c_str());

  if (::DisconnectDrive(localName) != platform::NET_OK) {
    MessageBox(UNMOUNT_FAILED_TEXT, "Error", MB_ICONERROR);
    return;
  }
  MessageBox(UNMOUNT_DONE_TEXT, "Confirm", MB_ICONINFORMATION);
  RefreshAfterChange();
}
