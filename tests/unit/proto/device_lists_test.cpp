#include "engine_fixture.h"

namespace {

using DeviceListTest = EngineTest;

const std::uint8_t kIdentity[IDENTITY_SIZE] = {1, 2, 3, 4, 5, 6, 10, 0, 0, 1};

TEST_F(DeviceListTest, AppendLinksInArrivalOrder) {
  AppendDevice("a", "10.0.0.1", "255.0.0.0", "10.0.0.254", kIdentity, "1", 0);
  EXPECT_EQ(DeviceList.count, 1);
  EXPECT_EQ(DeviceList.head, DeviceList.tail);
  EXPECT_EQ(DeviceList.head->next, nullptr);
  AppendDevice("b", "10.0.0.2", "255.0.0.0", "10.0.0.254", kIdentity, "0", 1);
  AppendDevice("c", "10.0.0.3", "255.0.0.0", "10.0.0.254", kIdentity, "0", 2);
  ASSERT_EQ(DeviceList.count, 3);
  EXPECT_STREQ(DeviceList.head->name, "a");
  EXPECT_STREQ(DeviceList.head->next->name, "b");
  EXPECT_EQ(DeviceList.head->next->next, DeviceList.tail);
  EXPECT_STREQ(DeviceList.tail->name, "c");
  EXPECT_EQ(DeviceList.tail->next, nullptr);
  EXPECT_EQ(DeviceList.tail->interfaceIndex, 2);
  EXPECT_EQ(0, std::memcmp(DeviceList.tail->identity, kIdentity, IDENTITY_SIZE));

  ClearDeviceList();
  EXPECT_EQ(DeviceList.count, 0);
  EXPECT_EQ(DeviceList.head, nullptr);
  EXPECT_EQ(DeviceList.tail, nullptr);
  ClearDeviceList();  // clearing an empty list keeps it empty
  EXPECT_EQ(DeviceList.count, 0);
  AppendDevice("d", "10.0.0.4", "", "", kIdentity, "0", 0);
  EXPECT_EQ(DeviceList.head, DeviceList.tail);
}

TEST_F(DeviceListTest, LookupsCompareWholeTextsExactly) {
  EXPECT_FALSE(DeviceIpKnown("10.0.0.1"));
  AppendDevice("a", "10.0.0.1", "", "", kIdentity, "0", 0);
  AppendDevice("b", "10.0.0.12", "", "", kIdentity, "0", 1);
  EXPECT_TRUE(DeviceIpKnown("10.0.0.1"));
  EXPECT_TRUE(DeviceIpKnown("10.0.0.12"));
  EXPECT_FALSE(DeviceIpKnown("10.0.0.11"));
  EXPECT_FALSE(DeviceIpKnown("10.0.0."));

  EXPECT_EQ(FindSelectedDevice(), nullptr);  // nothing selected: every record has an address
  std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "10.0.0.12");
  ASSERT_NE(FindSelectedDevice(), nullptr);
  EXPECT_STREQ(FindSelectedDevice()->name, "b");
  std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "10.0.0.1 ");
  EXPECT_EQ(FindSelectedDevice(), nullptr);
}

TEST_F(DeviceListTest, SelectedAddressFillingAllSixteenBytesIsReadBounded) {
  AppendDevice("a", "10.0.0.1", "", "", kIdentity, "0", 0);
  std::memset(SelectedDeviceIp, '1', sizeof SelectedDeviceIp);  // no terminator
  EXPECT_EQ(FindSelectedDevice(), nullptr);
}

TEST_F(DeviceListTest, AppendCutsOverlongTexts) {
  const std::string name(400, 'n');
  AppendDevice(name.c_str(), "123.123.123.123.1", "255.255.255.255.0", "1234567890123456789",
               kIdentity, "1234567890", 0);
  const DeviceRecord* r = DeviceList.head;
  EXPECT_EQ(std::string(r->name), std::string(255, 'n'));
  EXPECT_STREQ(r->ipText, "123.123.123.123");
  EXPECT_STREQ(r->netmaskText, "255.255.255.255");
  EXPECT_STREQ(r->gatewayText, "123456789012345");
  EXPECT_STREQ(r->dhcpFlag, "1234567");
}

TEST_F(DeviceListTest, SharesKeepOrderAndCount) {
  EXPECT_FALSE(ShareKnown("public"));
  ClearShareList();
  EXPECT_EQ(ShareList.count, 0);
  AppendShare("public");
  AppendShare("Public");
  EXPECT_EQ(ShareList.count, 2);
  EXPECT_EQ(ShareList.head->next, ShareList.tail);
  EXPECT_TRUE(ShareKnown("public"));
  EXPECT_FALSE(ShareKnown("PUBLIC"));
  EXPECT_FALSE(ShareKnown("publi"));
  AppendShare(std::string(200, 's').c_str());
  EXPECT_EQ(std::string(ShareList.tail->name), std::string(SHARE_NAME_SIZE - 1, 's'));
  ClearShareList();
  EXPECT_EQ(ShareList.head, nullptr);
  EXPECT_EQ(ShareList.tail, nullptr);
}

}  // namespace
