// The "Search Device" page: the device list and its commands.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"

class CSearchPage : public CDialog {
 public:
  enum { IDD = 131 };

  explicit CSearchPage(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnCancel() override {}  // Escape changes nothing

  CButton m_shortcutCheck;  // 1023 "Create Shortcut"
  CListCtrl m_deviceList;   // 1016
};
