// The "Search Device" page: the device list and its commands.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"
#include "res/resource.h"

class CSearchPage : public CDialog {
 public:
  enum { IDD = IDD_SEARCH };

  explicit CSearchPage(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  // Opens the selected device's share root and closes the program.
  void OnOK() override;
  // Escape leaves the page as it is.
  void OnCancel() override {}

  void OnSearchDevice();
  void OnListClick(NMHDR* header, LRESULT* result);
  void OnConfigure();
  void OnCreateShortcut();
  void OnPaint();
  void OnOkButton();
  void OnTimer(UINT_PTR timerId);

  void SyncDesktopShortcuts();

  CButton m_shortcutCheck;  // IDC_CREATE_SHORTCUT "Create Shortcut"
  CListCtrl m_deviceList;   // IDC_DEVICE_LIST

  DECLARE_MESSAGE_MAP()
};
