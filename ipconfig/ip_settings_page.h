// The "IP Settings" page: the selected device's address configuration.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"

class CIpSettingsPage : public CDialog {
 public:
  enum { IDD = 129 };

  explicit CIpSettingsPage(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override {}  // Enter does not close the page

  CStatic m_infoText;             // 1028
  CComboBox m_dhcpCombo;          // 1018 "Disabled" / "Enabled"
  CIPAddressCtrl m_gatewayCtrl;   // 1012
  CIPAddressCtrl m_netmaskCtrl;   // 1010
  CIPAddressCtrl m_ipCtrl;        // 1009
};
