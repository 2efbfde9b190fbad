#include "ipconfig/ip_settings_page.h"

#include <cstring>

#include "framework/dc.h"
#include "platform/sockets.h"
#include "proto/exchanges.h"
#include "proto/text_copy.h"
#include "shared/login_dialog.h"
#include "shared/selected_device.h"

namespace {

constexpr int DHCP_MODE_ITEM = 1;  // "Enabled" sorts after "Disabled"
constexpr char DHCP_MODE_TEXT[] = "Enabled";

// Stored addresses have the first octet in the lowest-addressed byte; the
// address control wants it in the most significant one.
DWORD ControlOrder(std::uint32_t address) {
  unsigned char octets[4];
  std::memcpy(octets, &address, sizeof octets);
  return (DWORD{octets[0]} << 24) | (DWORD{octets[1]} << 16) | (DWORD{octets[2]} << 8) | octets[3];
}

}  // namespace

BEGIN_MESSAGE_MAP(CIpSettingsPage, CDialog)
  ON_WM_PAINT()
  ON_CBN_SELCHANGE(IDC_DHCP_COMBO, OnDhcpModeChanged)
  ON_BN_CLICKED(IDC_MODIFY, ModifyIpSettings)
END_MESSAGE_MAP()

CIpSettingsPage::CIpSettingsPage(CWnd* parent) : CDialog(IDD, parent) {}

void CIpSettingsPage::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_IP_INFO, m_infoText);
  DDX_Control(dx, IDC_DHCP_COMBO, m_dhcpCombo);
  DDX_Control(dx, IDC_GATEWAY, m_gatewayCtrl);
  DDX_Control(dx, IDC_NETMASK, m_netmaskCtrl);
  DDX_Control(dx, IDC_IP_ADDRESS, m_ipCtrl);
}

// Enter must not close the page.
void CIpSettingsPage::OnOK() {}

void CIpSettingsPage::OnPaint() {
  CPaintDC dc(this);
  ShowSelectedDevice();
}

void CIpSettingsPage::ShowSelectedDevice() {
  const bool dhcp = SelectedDevice.dhcpEnabled == 1;
  m_dhcpCombo.SetCurSel(dhcp ? DHCP_MODE_ITEM : 0);
  EnableAddressControls(dhcp ? FALSE : TRUE);
  m_ipCtrl.SetAddress(ControlOrder(SelectedDevice.ipAddress));
  m_netmaskCtrl.SetAddress(ControlOrder(SelectedDevice.netmaskAddress));
  m_gatewayCtrl.SetAddress(ControlOrder(SelectedDevice.gatewayAddress));

  m_infoText.SetWindowText(SelectedDeviceSummary().c_str());
}

void CIpSettingsPage::OnDhcpModeChanged() {
  std::string mode;
  if (!ChosenMode(mode)) return;
  EnableAddressControls(mode == DHCP_MODE_TEXT ? FALSE : TRUE);
}

int CIpSettingsPage::ValidateAddress(int field, int a, int b, int c, int d) {
  const int octets[4] = {a, b, c, d};
  const int refused = RefusedOctet(field, octets);
  if (refused < 0) return 1;
  MessageBox(RefusedOctetMessage(field, refused), "Error", MB_OK | MB_ICONINFORMATION);
  AddressControl(field).SetFieldFocus(static_cast<WORD>(refused));
  return 0;
}

void CIpSettingsPage::ModifyIpSettings() {
  CLoginDlg loginDlg;  // shown only when the device refuses the default credential
  LoginPurpose = LOGIN_FOR_DEVICE;
  if (SelectedDevice.deviceSelected == 0) {
    MessageBox("You should select a server to modify IP!", "Error", MB_OK | MB_ICONERROR);
    return;
  }
  std::string mode;
  if (!ChosenMode(mode)) return;

  if (mode == DHCP_MODE_TEXT) {
    // the address controls play no part in a DHCP change
    if (!DeviceLogin(loginDlg)) return;
    if (SetDeviceDhcp())
      MessageBox("Set to dhcp client done!", "Confirm", MB_OK | MB_ICONINFORMATION);
    else
      MessageBox("Set to dhcp client fail", "Error", MB_OK | MB_ICONERROR);
  } else {
    if (!ReadStaticAddresses() || !DeviceLogin(loginDlg)) return;
    if (SetDeviceStaticIp())
      MessageBox("Set to static IP done!", "Confirm", MB_OK | MB_ICONINFORMATION);
    else
      MessageBox("Set to static IP fail", "Error", MB_OK | MB_ICONERROR);
  }
  // also after a failure: the page then shows what the device reports now
  RefreshSelectedDevice();
}

void CIpSettingsPage::EnableAddressControls(BOOL enable) {
  m_ipCtrl.EnableWindow(enable);
  m_gatewayCtrl.EnableWindow(enable);
  m_netmaskCtrl.EnableWindow(enable);
}

bool CIpSettingsPage::ChosenMode(std::string& mode) const {
  const int index = m_dhcpCombo.GetCurSel();
  if (index < 0) return false;
  m_dhcpCombo.GetLBText(index, mode);
  return true;
}

CIPAddressCtrl& CIpSettingsPage::AddressControl(int field) {
  if (field == ADDRESS_IP) return m_ipCtrl;
  return field == ADDRESS_NETMASK ? m_netmaskCtrl : m_gatewayCtrl;
}

bool CIpSettingsPage::ReadStaticAddresses() {
  struct Entry {
    int field;
    const char* blankMessage;
    char* text;  // ADDRESS_TEXT_SIZE bytes
  };
  const Entry entries[3] = {
      {ADDRESS_IP, "Please input IP address!", NewIpText},
      {ADDRESS_NETMASK, "Please input net mask address!", NewNetmaskText},
      {ADDRESS_GATEWAY, "Please input gateway address!", NewGatewayText},
  };
  for (const Entry& entry : entries) {
    if (AddressControl(entry.field).IsBlank()) {
      MessageBox(entry.blankMessage, "Warning", MB_OK | MB_ICONWARNING);
      return false;
    }
  }
  int octets[3][4];
  for (int i = 0; i < 3; i++) {
    BYTE o[4];
    AddressControl(entries[i].field).GetAddress(o[0], o[1], o[2], o[3]);  // a blank field reads 0
    for (int k = 0; k < 4; k++) octets[i][k] = o[k];
  }
  const int* const read[3] = {octets[0], octets[1], octets[2]};
  const StaticRefusal refusal = CheckStaticOctets(read);
  // The fields before a refused one are kept for a later, complete change.
  const bool octetRefused = refusal.field != 0 && refusal.position != OUTSIDE_SUBNET;
  const int passed = octetRefused ? refusal.field - 1 : 3;
  for (int i = 0; i < passed; i++) FormatAddress(octets[i], entries[i].text);
  if (octetRefused) {
    const int* o = octets[refusal.field - 1];
    return ValidateAddress(refusal.field, o[0], o[1], o[2], o[3]) != 0;  // shows the refusal
  }
  if (refusal.field != 0) {
    MessageBox(GATEWAY_SUBNET_MESSAGE, "Warning", MB_OK | MB_ICONWARNING);
    return false;
  }
  return true;
}

bool CIpSettingsPage::DeviceLogin(CLoginDlg& loginDlg) {
  CopyText(LoginUserName, sizeof LoginUserName, DEFAULT_CREDENTIAL);
  CopyText(LoginPassword, sizeof LoginPassword, DEFAULT_CREDENTIAL);
  if (VerifyDeviceLogin()) return true;
  // after Cancel the second try repeats the default credential
  loginDlg.DoModal();
  if (VerifyDeviceLogin()) return true;
  MessageBox("Wrong administrator password input!", "Error", MB_OK | MB_ICONERROR);
  return false;
}

void CIpSettingsPage::RefreshSelectedDevice() {
  m_ipCtrl.ClearAddress();
  m_netmaskCtrl.ClearAddress();
  m_gatewayCtrl.ClearAddress();
  ClearSelectedDeviceAddresses();
  SearchDevices(SEARCH_MATCH_CODE1, SEARCH_MATCH_CODE2);
  if (const DeviceRecord* record = LastDeviceNamed(SelectedDevice.deviceName.c_str())) {
    FillSelectedDevice(*record);
  }
  ShowSelectedDevice();
}
