// The main dialog: the program's title and icon, the tab control with the
// three pages, and the logo.
#pragma once

#include <memory>

#include "app/page_tab_ctrl.h"
#include "drivemap/drive_map_page.h"
#include "framework/dialog.h"
#include "ipconfig/ip_settings_page.h"
#include "res/resource.h"
#include "search/search_page.h"

class CFinderDlg : public CDialog {
 public:
  enum { IDD = IDD_FINDER };

  explicit CFinderDlg(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnPaint();
  HCURSOR OnQueryDragIcon();

  CPageTabCtrl m_tabCtrl;  // IDC_PAGE_TAB
  HICON m_hIcon;           // IDI_LUMASEEK
  std::unique_ptr<CIpSettingsPage> m_pIpSettingsPage;
  std::unique_ptr<CDriveMapPage> m_pDriveMapPage;
  std::unique_ptr<CSearchPage> m_pSearchPage;

  DECLARE_MESSAGE_MAP()
};
