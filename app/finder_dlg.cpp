#include "app/finder_dlg.h"

#include "framework/app.h"
#include "framework/dc.h"

BEGIN_MESSAGE_MAP(CFinderDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

CFinderDlg::CFinderDlg(CWnd* parent) : CDialog(IDD, parent), m_hIcon(AfxGetApp()->LoadIcon(IDI_LUMASEEK)) {}

void CFinderDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PAGE_TAB, m_tabCtrl);
}

BOOL CFinderDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  // Creating the Search Device page runs the first search; the window
  // appears only after it.
  m_pSearchPage = std::make_unique<CSearchPage>(nullptr);
  m_pSearchPage->Create(CSearchPage::IDD, &m_tabCtrl);
  m_tabCtrl.AddPage(m_pSearchPage.get(), "Search Device");

  m_pIpSettingsPage = std::make_unique<CIpSettingsPage>(nullptr);
  m_pIpSettingsPage->Create(CIpSettingsPage::IDD, &m_tabCtrl);
  m_tabCtrl.AddPage(m_pIpSettingsPage.get(), "IP Settings");

  m_pDriveMapPage = std::make_unique<CDriveMapPage>(nullptr);
  m_pDriveMapPage->Create(CDriveMapPage::IDD, &m_tabCtrl);
  m_tabCtrl.AddPage(m_pDriveMapPage.get(), "Drive Mapping");
  return TRUE;
}

void CFinderDlg::OnPaint() {
  if (!IsIconic()) {
    Default();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  int iconWidth = GetSystemMetrics(SM_CXICON);
  int iconHeight = GetSystemMetrics(SM_CYICON);
  RECT rect;
  GetClientRect(&rect);
  int x = (rect.right - rect.left - iconWidth + 1) / 2;
  int y = (rect.bottom - rect.top - iconHeight + 1) / 2;
  dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CFinderDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
