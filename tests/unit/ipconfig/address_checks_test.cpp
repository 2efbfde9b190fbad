// The page's checks of a static configuration: the octet rules with their
// messages and focus moves, the blank fields, and the gateway's subnet. Every
// refusal stops before anything is sent.
#include "tests/unit/ipconfig/ip_page_fixture.h"

namespace ipconfig_test {
namespace {

struct OctetCase {
  int field, a, b, c, d;
  int controlId;  // 0: accepted
  int position;
  const char* message;
};

class ValidateAddressTest : public IpPageTest, public ::testing::WithParamInterface<OctetCase> {};

TEST_P(ValidateAddressTest, FirstRefusedOctetGivesItsMessageAndFocus) {
  const OctetCase& c = GetParam();
  const int result = page.ValidateAddress(c.field, c.a, c.b, c.c, c.d);
  if (c.controlId == 0) {
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(memory_ui::MessageBoxes().empty());
    EXPECT_EQ(memory_ui::Focus(), nullptr);
    return;
  }
  EXPECT_EQ(result, 0);
  ASSERT_EQ(memory_ui::MessageBoxes().size(), 1u);
  const ShownMessageBox& box = memory_ui::MessageBoxes()[0];
  EXPECT_EQ(box.text, c.message);
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.type, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(box.owner, memory_ui::Window(page));
  EXPECT_EQ(memory_ui::Focus(), Control(c.controlId));
  EXPECT_EQ(Control(c.controlId)->focusedField, c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ValidateAddressTest,
    ::testing::Values(
        OctetCase{ADDRESS_IP, 256, 0, 0, 1, IDC_IP_ADDRESS, 0, "Invalid IP address in 1st digit. It should be 0-255."},
        OctetCase{ADDRESS_IP, 1, 256, 0, 0, IDC_IP_ADDRESS, 1, "Invalid IP address in 2nd digit. It should be 0-255."},
        OctetCase{ADDRESS_IP, 1, 2, 999, 0, IDC_IP_ADDRESS, 2, "Invalid IP address in 3rd digit. It should be 0-255."},
        OctetCase{ADDRESS_IP, 192, 168, 1, 0, IDC_IP_ADDRESS, 3, "Invalid IP address in 4th digit. It should be 1-254."},
        OctetCase{ADDRESS_IP, 192, 168, 1, 255, IDC_IP_ADDRESS, 3, "Invalid IP address in 4th digit. It should be 1-254."},
        OctetCase{ADDRESS_IP, 1, 2, 3, -1, IDC_IP_ADDRESS, 3, "Invalid IP address in 4th digit. It should be 1-254."},
        OctetCase{ADDRESS_NETMASK, 300, 300, 300, 0, IDC_NETMASK, 0,
                  "Invalid subnet mask address in 1st digit. It should be 0-255."},
        OctetCase{ADDRESS_NETMASK, 255, 256, 0, 0, IDC_NETMASK, 1,
                  "Invalid subnet mask address in 2nd digit. It should be 0-255."},
        OctetCase{ADDRESS_NETMASK, 255, 255, 256, 0, IDC_NETMASK, 2,
                  "Invalid subnet mask address in 3rd digit. It should be 0-255."},
        OctetCase{ADDRESS_NETMASK, 255, 255, 255, 256, IDC_NETMASK, 3,
                  "Invalid subnet mask address in 4th digit. It should be 0-255."},
        OctetCase{ADDRESS_GATEWAY, 256, 1, 1, 1, IDC_GATEWAY, 0,
                  "Invalid gateway IP address in 1st digit. It should be 0-255."},
        OctetCase{ADDRESS_GATEWAY, 1, 256, 1, 1, IDC_GATEWAY, 1,
                  "Invalid gateway IP address in 2nd digit. It should be 0-255."},
        OctetCase{ADDRESS_GATEWAY, 1, 1, 256, 1, IDC_GATEWAY, 2,
                  "Invalid gateway IP address in 3rd digit. It should be 0-255."},
        OctetCase{ADDRESS_GATEWAY, 10, 0, 0, 0, IDC_GATEWAY, 3,
                  "Invalid gateway IP address in 4th digit. It should be 1-254."},
        OctetCase{ADDRESS_IP, 192, 168, 1, 1, 0, 0, nullptr},
        OctetCase{ADDRESS_IP, 10, 0, 0, 254, 0, 0, nullptr},
        OctetCase{ADDRESS_IP, -5, -1, -300, 7, 0, 0, nullptr},
        OctetCase{ADDRESS_NETMASK, 255, 255, 255, 255, 0, 0, nullptr},
        OctetCase{ADDRESS_NETMASK, 0, 0, 0, 0, 0, 0, nullptr},
        OctetCase{ADDRESS_NETMASK, 0, 0, 0, -9, 0, 0, nullptr},
        OctetCase{0, 999, 999, 999, 0, 0, 0, nullptr},
        OctetCase{4, 999, 999, 999, 0, 0, 0, nullptr}),
    [](const ::testing::TestParamInfo<OctetCase>& info) {
      const OctetCase& c = info.param;
      return "Field" + std::to_string(c.field) + (c.controlId ? "RefusesOctet" + std::to_string(c.position + 1) : "Accepts") +
             "_" + std::to_string(info.index);
    });

using StaticChecksTest = IpPageTest;

TEST_F(StaticChecksTest, BlankFieldsAreNamedInOrderAndStopTheChange) {
  Pick(kNas);
  Type(IDC_IP_ADDRESS, -1, -1, -1, -1);
  Type(IDC_NETMASK, -1, -1, -1, -1);
  Type(IDC_GATEWAY, -1, -1, -1, -1);
  Modify();
  Type(IDC_IP_ADDRESS, 192, 168, 1, 30);
  Modify();
  Type(IDC_NETMASK, -1, -1, -1, 0);  // one field typed is not blank
  Modify();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Warning: Please input IP address!",
                                               "Warning: Please input net mask address!",
                                               "Warning: Please input gateway address!"}));
  for (const auto& box : memory_ui::MessageBoxes()) EXPECT_EQ(box.type, MB_OK | MB_ICONWARNING);
  EXPECT_EQ(SentSinceModify(), 0);
  EXPECT_EQ(SelectedDevice.ipAddress, platform::InetAddr("192.168.1.20"));
  EXPECT_STREQ(NewIpText, "");  // no field is read before all three are filled
}

TEST_F(StaticChecksTest, BlankOctetsReadAsZero) {
  Pick(kNas);
  TypeStatic({192, 168, 1, -1}, {255, 255, 255, 0}, {192, 168, 1, 1});
  Modify();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Error: Invalid IP address in 4th digit. It should be 1-254."});
  EXPECT_EQ(memory_ui::Focus(), Control(IDC_IP_ADDRESS));
  EXPECT_EQ(Control(IDC_IP_ADDRESS)->focusedField, 3);

  // a blank fourth netmask octet is a valid 0; the gateway's is not
  memory_ui::Reset();
  ASSERT_TRUE(page.Create(CIpSettingsPage::IDD));
  memory_ui::Paint(page);
  TypeStatic({192, 168, 1, 30}, {255, 255, 255, -1}, {192, 168, 1, -1});
  Modify();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Error: Invalid gateway IP address in 4th digit. It should be 1-254."});
  EXPECT_EQ(memory_ui::Focus(), Control(IDC_GATEWAY));
  EXPECT_EQ(SentSinceModify(), 0);
  // fields that passed are kept for a later, complete change only
  EXPECT_STREQ(NewIpText, "192.168.1.30");
  EXPECT_STREQ(NewNetmaskText, "255.255.255.0");
}

TEST_F(StaticChecksTest, GatewayMustShareTheAddressSubnet) {
  Pick(kNas);
  net.loginAnswers = {1, 1};
  TypeStatic({192, 168, 1, 10}, {255, 255, 255, 0}, {192, 168, 2, 1});
  Modify();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Warning: Gateway address input error!"});
  EXPECT_EQ(memory_ui::MessageBoxes()[0].type, MB_OK | MB_ICONWARNING);
  EXPECT_EQ(SentSinceModify(), 0);

  Type(IDC_GATEWAY, 192, 168, 1, 1);
  Modify();
  EXPECT_EQ(net.configRequests.size(), 1u);

  // with netmask 0.0.0.0 any gateway is in the subnet
  Type(IDC_IP_ADDRESS, 10, 0, 0, 9);
  Type(IDC_NETMASK, 0, 0, 0, 0);
  Type(IDC_GATEWAY, 172, 16, 5, 4);
  Modify();
  EXPECT_EQ(net.configRequests.size(), 2u);
  EXPECT_STREQ(NewGatewayText, "172.16.5.4");
}

TEST_F(StaticChecksTest, NothingHappensWithoutAPickOrAChoice) {
  Pick(kNas);
  SelectedDevice.deviceSelected = 0;
  Modify();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Error: You should select a server to modify IP!"});
  EXPECT_EQ(memory_ui::MessageBoxes()[0].type, MB_OK | MB_ICONERROR);
  SelectedDevice.deviceSelected = 1;
  Control(IDC_DHCP_COMBO)->curSel = -1;
  Modify();
  EXPECT_EQ(memory_ui::MessageBoxes().size(), 1u);
  EXPECT_EQ(SentSinceModify(), 0);
  EXPECT_EQ(LoginPurpose, LOGIN_FOR_DEVICE);  // set before any check
}

}  // namespace
}  // namespace ipconfig_test
