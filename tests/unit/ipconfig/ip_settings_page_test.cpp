// The IP Settings page: what it shows of the selected device, the device login
// with its Login dialog, the DHCP and static changes with their reports, and
// the refresh by a new search.
#include "tests/unit/ipconfig/ip_page_fixture.h"

namespace ipconfig_test {
namespace {

using ShowTest = IpPageTest;

TEST_F(ShowTest, PaintFillsTheControlsFromTheSelectedDevice) {
  memory_ui::Paint(page);
  EXPECT_EQ(Mode(), "Disabled");
  EXPECT_EQ(Fields(IDC_IP_ADDRESS), (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(Control(IDC_IP_INFO)->text, "");

  Pick(kNas);
  EXPECT_EQ(Fields(IDC_IP_ADDRESS), (std::array<int, 4>{192, 168, 1, 20}));
  EXPECT_EQ(Fields(IDC_NETMASK), (std::array<int, 4>{255, 255, 255, 0}));
  EXPECT_EQ(Fields(IDC_GATEWAY), (std::array<int, 4>{192, 168, 1, 1}));
  EXPECT_EQ(Control(IDC_IP_INFO)->text,
            "Name : nas-1\nIP : 192.168.1.20  Netmask : 255.255.255.0  Gateway : 192.168.1.1");
  EXPECT_TRUE(Control(IDC_IP_ADDRESS)->enabled);

  // typed and not applied: the next paint brings back the stored values
  Type(IDC_IP_ADDRESS, 10, 0, 0, 1);
  SelectedDevice.dhcpEnabled = 1;
  memory_ui::Paint(page);
  EXPECT_EQ(Fields(IDC_IP_ADDRESS), (std::array<int, 4>{192, 168, 1, 20}));
  EXPECT_EQ(Mode(), "Enabled");
  for (int id : {IDC_IP_ADDRESS, IDC_NETMASK, IDC_GATEWAY}) EXPECT_FALSE(Control(id)->enabled);
}

TEST_F(ShowTest, ModeChoiceOnlySwitchesTheAddressControls) {
  Pick(kNas);
  memory_ui::ChooseComboItem(page, IDC_DHCP_COMBO, 1);
  for (int id : {IDC_IP_ADDRESS, IDC_NETMASK, IDC_GATEWAY}) EXPECT_FALSE(Control(id)->enabled);
  EXPECT_EQ(Fields(IDC_IP_ADDRESS), (std::array<int, 4>{192, 168, 1, 20}));
  memory_ui::ChooseComboItem(page, IDC_DHCP_COMBO, 0);
  for (int id : {IDC_IP_ADDRESS, IDC_NETMASK, IDC_GATEWAY}) EXPECT_TRUE(Control(id)->enabled);
  EXPECT_EQ(SentSinceModify(), 0);
}

TEST_F(ShowTest, EnterKeepsThePageAndEscapeHidesIt) {
  memory_ui::Window(page)->visible = true;
  memory_ui::Send(page, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
  EXPECT_TRUE(memory_ui::Window(page)->visible);
  memory_ui::Send(page, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  EXPECT_FALSE(memory_ui::Window(page)->visible);
}

using LoginTest = IpPageTest;

TEST_F(LoginTest, AcceptedDefaultCredentialShowsNoDialog) {
  Pick(kNas);
  net.loginAnswers = {1};
  TypeStatic({192, 168, 1, 40}, {255, 255, 255, 0}, {192, 168, 1, 1});
  Modify();
  EXPECT_TRUE(memory_ui::Modals().empty());
  EXPECT_EQ(net.credentials, std::vector<std::string>{"kemsa/kemsa"});
  EXPECT_EQ(net.configRequests.size(), 1u);
}

TEST_F(LoginTest, RefusedDefaultCredentialAsksForThePasswordOnce) {
  Pick(kNas);
  net.loginAnswers = {0, 1};
  bool userLocked = false;
  memory_ui::ScriptModal([&](CDialog& shown) {
    userLocked = !memory_ui::Control(shown, IDC_USER_NAME)->enabled && memory_ui::Control(shown, IDC_USER_NAME)->text == "kemsa";
    memory_ui::TypeText(shown, IDC_PASSWORD, "letmein");
    memory_ui::Click(shown, IDOK);
  });
  TypeStatic({192, 168, 1, 40}, {255, 255, 255, 0}, {192, 168, 1, 1});
  Modify();
  ASSERT_EQ(memory_ui::Modals().size(), 1u);
  EXPECT_EQ(memory_ui::Modals()[0].templateId, static_cast<UINT>(CLoginDlg::IDD));
  EXPECT_TRUE(userLocked);
  EXPECT_EQ(net.credentials, (std::vector<std::string>{"kemsa/kemsa", "kemsa/letmein"}));
  EXPECT_EQ(net.configRequests.size(), 1u);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Confirm: Set to static IP done!"});
}

TEST_F(LoginTest, RefusedTwiceEndsWithoutAChange) {
  Pick(kNas);
  net.loginAnswers = {0, 0};
  memory_ui::ScriptModal([](CDialog& shown) {
    memory_ui::TypeText(shown, IDC_PASSWORD, "guess");
    memory_ui::Click(shown, IDOK);
  });
  memory_ui::ChooseComboItem(page, IDC_DHCP_COMBO, 1);
  Modify();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Error: Wrong administrator password input!"});
  EXPECT_EQ(memory_ui::MessageBoxes()[0].type, MB_OK | MB_ICONERROR);
  EXPECT_TRUE(net.configRequests.empty());
  EXPECT_EQ(net.CountOf(Kind::SendTo) - sentBeforeModify, 2);  // no refresh either
  EXPECT_STREQ(LoginPassword, "guess");                         // the last credential tried
  EXPECT_EQ(SelectedDevice.ipAddress, platform::InetAddr("192.168.1.20"));
  EXPECT_EQ(Mode(), "Enabled");  // the controls are left as they were
}

TEST_F(LoginTest, CancelRetriesTheDefaultCredential) {
  Pick(kNas);
  net.loginAnswers = {0};  // then silence
  memory_ui::ScriptModal([](CDialog& shown) {
    memory_ui::TypeText(shown, IDC_PASSWORD, "typed");
    memory_ui::Click(shown, IDCANCEL);
  });
  memory_ui::ChooseComboItem(page, IDC_DHCP_COMBO, 1);
  Modify();
  EXPECT_EQ(net.credentials, (std::vector<std::string>{"kemsa/kemsa", "kemsa/kemsa"}));
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Error: Wrong administrator password input!"});
}

using ChangeTest = IpPageTest;

TEST_F(ChangeTest, DhcpChangeIgnoresTheAddressControlsAndShowsTheNewLease) {
  Pick(kNas);
  net.loginAnswers = {1};
  memory_ui::ChooseComboItem(page, IDC_DHCP_COMBO, 1);
  Type(IDC_IP_ADDRESS, -1, -1, -1, -1);  // blank, 0 in the fourth octet: neither is looked at
  Type(IDC_GATEWAY, 1, 2, 3, 0);
  Modify();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Confirm: Set to dhcp client done!"});
  EXPECT_EQ(memory_ui::MessageBoxes()[0].type, MB_OK | MB_ICONINFORMATION);
  ASSERT_EQ(net.configRequests.size(), 1u);
  EXPECT_EQ(net.configRequests[0][21], CONFIG_DHCP);
  EXPECT_STREQ(SelectedDeviceIp, "10.1.1.77");
  EXPECT_EQ(SelectedDevice.dhcpEnabled, 1);
  EXPECT_EQ(SelectedDevice.deviceIpText, "10.1.1.77");
  EXPECT_EQ(Fields(IDC_IP_ADDRESS), (std::array<int, 4>{10, 1, 1, 77}));
  EXPECT_EQ(Mode(), "Enabled");
  EXPECT_FALSE(Control(IDC_IP_ADDRESS)->enabled);
  EXPECT_EQ(SelectedDevice.shareHostText, "192.168.1.20");  // kept for the drive connections

  // a device that is a DHCP client already still gets the request
  net.loginAnswers = {1};
  Modify();
  EXPECT_EQ(net.configRequests.size(), 2u);
}

TEST_F(ChangeTest, StaticChangeSendsTheTextsAndShowsWhatTheSearchReports) {
  Pick(kNas);
  net.loginAnswers = {1};
  TypeStatic({192, 168, 7, 9}, {255, 255, 0, 0}, {192, 168, 0, 254});
  Modify();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Confirm: Set to static IP done!"});
  ASSERT_EQ(net.configRequests.size(), 1u);
  const auto& request = net.configRequests[0];
  EXPECT_EQ(request[21], CONFIG_STATIC);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(request.data() + 60), request.size() - 60), "192.168.7.9");
  EXPECT_EQ(SelectedDevice.deviceIpText, "192.168.7.9");
  EXPECT_EQ(SelectedDevice.deviceNetmaskText, "255.255.0.0");
  EXPECT_EQ(SelectedDevice.gatewayAddress, platform::InetAddr("192.168.0.254"));
  EXPECT_EQ(Fields(IDC_GATEWAY), (std::array<int, 4>{192, 168, 0, 254}));
  EXPECT_EQ(Control(IDC_IP_INFO)->text,
            "Name : nas-1\nIP : 192.168.7.9  Netmask : 255.255.0.0  Gateway : 192.168.0.254");
}

TEST_F(ChangeTest, UnconfirmedChangesAreReportedAndStillRefreshed) {
  Pick(kNas);
  net.confirmChanges = false;
  net.loginAnswers = {1, 1};
  TypeStatic({192, 168, 1, 40}, {255, 255, 255, 0}, {192, 168, 1, 1});
  Modify();
  memory_ui::ChooseComboItem(page, IDC_DHCP_COMBO, 1);
  Modify();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Error: Set to static IP fail", "Error: Set to dhcp client fail"}));
  for (const auto& box : memory_ui::MessageBoxes()) EXPECT_EQ(box.type, MB_OK | MB_ICONERROR);
  EXPECT_EQ(net.CountOf(Kind::SendTo) - sentBeforeModify, 2 * (1 + 1 + 2));  // login, change, search
  EXPECT_EQ(SelectedDevice.deviceIpText, "192.168.1.20");  // the unchanged device, found again
  EXPECT_EQ(Mode(), "Disabled");
}

TEST_F(ChangeTest, SilentDeviceLeavesZeroAddressesAndTheOldTexts) {
  Pick(kNas);
  net.loginAnswers = {1};
  net.confirmChanges = false;
  SelectedDevice.dhcpEnabled = 1;
  memory_ui::Paint(page);
  net.devices[0].name = "renamed";  // the search no longer finds it by name
  Modify();
  EXPECT_EQ(SelectedDevice.ipAddress, 0u);
  EXPECT_EQ(SelectedDevice.dhcpEnabled, 0);
  EXPECT_EQ(Fields(IDC_IP_ADDRESS), (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(Mode(), "Disabled");
  EXPECT_TRUE(Control(IDC_IP_ADDRESS)->enabled);
  EXPECT_EQ(Control(IDC_IP_INFO)->text,
            "Name : nas-1\nIP : 192.168.1.20  Netmask : 255.255.255.0  Gateway : 192.168.1.1");
}

TEST_F(ChangeTest, LastDeviceOfTheNameWins) {
  Pick(kNas);
  net.devices.push_back({"other", "192.168.1.21", "255.255.255.0", "192.168.1.1", '0'});
  net.devices.push_back({"nas-1", "192.168.1.22", "255.255.0.0", "192.168.1.2", '1'});
  net.loginAnswers = {1};
  memory_ui::ChooseComboItem(page, IDC_DHCP_COMBO, 1);
  Modify();
  ASSERT_EQ(DeviceList.count, 3);
  EXPECT_EQ(SelectedDevice.deviceIpText, "192.168.1.22");
  EXPECT_EQ(SelectedDevice.deviceGatewayText, "192.168.1.2");
  EXPECT_EQ(SelectedDevice.dhcpEnabled, 1);
}

}  // namespace
}  // namespace ipconfig_test
