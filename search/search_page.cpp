#include "search/search_page.h"

CSearchPage::CSearchPage(CWnd* parent) : CDialog(IDD, parent) {}

void CSearchPage::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, 1023, m_shortcutCheck);
  DDX_Control(dx, 1016, m_deviceList);
}
