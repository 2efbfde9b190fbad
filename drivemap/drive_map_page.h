// The "Drive Mapping" page: the selected device's shares and drive letters.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"

class CDriveMapPage : public CDialog {
 public:
  enum { IDD = 130 };

  explicit CDriveMapPage(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override {}  // Enter does not close the page

  CStatic m_infoText;      // 1029
  CComboBox m_driveCombo;  // 1004
  CListCtrl m_shareList;   // 1013
};
