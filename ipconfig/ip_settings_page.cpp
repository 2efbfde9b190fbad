#include "ipconfig/ip_settings_page.h"

CIpSettingsPage::CIpSettingsPage(CWnd* parent) : CDialog(IDD, parent) {}

void CIpSettingsPage::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, 1028, m_infoText);
  DDX_Control(dx, 1018, m_dhcpCombo);
  DDX_Control(dx, 1012, m_gatewayCtrl);
  DDX_Control(dx, 1010, m_netmaskCtrl);
  DDX_Control(dx, 1009, m_ipCtrl);
}
