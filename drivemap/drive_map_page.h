// The "Drive Mapping" page: the selected device's shares with the drive letters
// connected to them, and the commands that map and disconnect a letter.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"
#include "res/resource.h"

class CDriveMapPage : public CDialog {
 public:
  enum { IDD = IDD_DRIVE_MAP };

  explicit CDriveMapPage(CWnd* parent = nullptr);

  // Refills the list from ShareViewTable and writes the device summary.
  void ShowShareView();
  // Asks the device for its shares again and rebuilds ShareViewTable.
  void RebuildShareView();
  // Rebuilds the drive-letter box from ConnectionTable.
  void FillDriveCombo();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override {}  // Enter does not close the page

  void OnPaint();
  void MapDrive();
  void DisconnectDrive();

  CStatic m_infoText;      // IDC_DRIVE_INFO
  CComboBox m_driveCombo;  // IDC_DRIVE_COMBO
  CListCtrl m_shareList;   // IDC_SHARE_LIST

 private:
  // Connections, drive box and list again after a map or a disconnect.
  void RefreshAfterChange();

  CListCtrl* m_pShareList = nullptr;  // the list's window, as GetDlgItem(IDC_SHARE_LIST) gives it

  DECLARE_MESSAGE_MAP()
};
