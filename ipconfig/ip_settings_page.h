// The "IP Settings" page: the selected device's address configuration, and
// its change to a DHCP client or to a static address after a device login.
#pragma once

#include <string>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "res/resource.h"
#include "shared/address_rules.h"  // the field codes of ValidateAddress

class CLoginDlg;

class CIpSettingsPage : public CDialog {
 public:
  enum { IDD = IDD_IP_SETTINGS };

  explicit CIpSettingsPage(CWnd* parent = nullptr);

  // 1 when the octets pass the rules of `field` (ADDRESS_IP, ADDRESS_NETMASK,
  // ADDRESS_GATEWAY; other codes always pass). Otherwise 0, after the
  // octet's message and with the focus on that octet of the field's control.
  int ValidateAddress(int field, int a, int b, int c, int d);
  // Fills the controls from SelectedDevice.
  void ShowSelectedDevice();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

  void OnPaint();
  void OnDhcpModeChanged();
  void ModifyIpSettings();

  CStatic m_infoText;             // IDC_IP_INFO
  CComboBox m_dhcpCombo;          // IDC_DHCP_COMBO "Disabled" / "Enabled"
  CIPAddressCtrl m_gatewayCtrl;   // IDC_GATEWAY
  CIPAddressCtrl m_netmaskCtrl;   // IDC_NETMASK
  CIPAddressCtrl m_ipCtrl;        // IDC_IP_ADDRESS

 private:
  void EnableAddressControls(BOOL enable);
  // The chosen item's text; false when none is chosen.
  bool ChosenMode(std::string& mode) const;
  CIPAddressCtrl& AddressControl(int field);
  // The blank, octet and subnet checks; on success NewIpText, NewNetmaskText
  // and NewGatewayText hold the entered addresses.
  bool ReadStaticAddresses();
  // The default credential first, then what the user types into loginDlg.
  bool DeviceLogin(CLoginDlg& loginDlg);
  // A new search, then the values the device now reports, by its name.
  void RefreshSelectedDevice();

  DECLARE_MESSAGE_MAP()
};
