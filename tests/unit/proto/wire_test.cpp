#include <string>

#include "engine_fixture.h"

using testing_support::LongSearchReply;
using testing_support::PutLength;
using testing_support::ReplyHead;
using testing_support::ShortSearchReply;

namespace {

class WireTest : public EngineTest {
 protected:
  std::uint8_t request[DATAGRAM_SIZE] = {};

  void ExpectDeviceHead(std::uint8_t opcode, std::uint8_t subCode) {
    EXPECT_EQ(request[0], opcode);
    EXPECT_EQ(0, std::memcmp(request + 1, kTestClientId, CLIENT_ID_SIZE));
    EXPECT_EQ(0, std::memcmp(request + 11, DeviceList.head->identity, IDENTITY_SIZE));
    EXPECT_EQ(request[21], subCode);
    EXPECT_EQ(request[22], 0);
    EXPECT_EQ(request[23], 0);
  }
  bool RestIsZero(int from) {
    for (int i = from; i < DATAGRAM_SIZE; i++) {
      if (request[i] != 0) return false;
    }
    return true;
  }
};

TEST_F(WireTest, SearchRequestIsOpcodeAndClientIdOnly) {
  ASSERT_EQ(BuildSearchRequest(request), 11);
  EXPECT_EQ(request[0], OP_SEARCH);
  EXPECT_EQ(0, std::memcmp(request + 1, kTestClientId, CLIENT_ID_SIZE));
  EXPECT_TRUE(RestIsZero(11));
}

TEST_F(WireTest, LoginRequestLayouts) {
  SelectDevice("192.168.0.10");
  // Empty credentials: head, length 2, separator.
  ASSERT_EQ(PageLoginRequest(request), 30);
  ExpectDeviceHead(OP_QUERY, QUERY_LOGIN);
  const std::uint8_t emptyTail[] = {2, 0, 0, 0, 0x55, 0xAA};
  EXPECT_EQ(0, std::memcmp(request + 24, emptyTail, sizeof emptyTail));
  EXPECT_TRUE(RestIsZero(30));

  std::memset(request, 0, sizeof request);
  std::snprintf(LoginUserName, sizeof LoginUserName, "admin");
  std::snprintf(LoginPassword, sizeof LoginPassword, "pw");
  ASSERT_EQ(PageLoginRequest(request), 37);
  const std::uint8_t tail[] = {9, 0, 0, 0, 'a', 'd', 'm', 'i', 'n', 0x55, 0xAA, 'p', 'w'};
  EXPECT_EQ(0, std::memcmp(request + 24, tail, sizeof tail));
  EXPECT_TRUE(RestIsZero(37));

  std::memset(request, 0, sizeof request);
  std::memcpy(LoginUserName, "UUUUUUUUUUUUUUUU", 17);
  std::memcpy(LoginPassword, "PPPPPPPPPPPPPPPP", 17);
  ASSERT_EQ(PageLoginRequest(request), 62);
  EXPECT_EQ(request[24], 34);
  EXPECT_EQ(request[25] | request[26] | request[27], 0);
  EXPECT_EQ(request[44], 0x55);
  EXPECT_EQ(request[45], 0xAA);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(request + 46), 16), "PPPPPPPPPPPPPPPP");
  EXPECT_TRUE(RestIsZero(62));
}

TEST_F(WireTest, ShareListAndDhcpRequestsHaveFixedLengths) {
  SelectDevice("192.168.0.10");
  ASSERT_EQ(PageShareListRequest(request), 28);
  ExpectDeviceHead(OP_QUERY, QUERY_SHARES);
  EXPECT_TRUE(RestIsZero(24));

  std::memset(request, 0, sizeof request);
  ASSERT_EQ(PageDhcpRequest(request), 60);
  ExpectDeviceHead(OP_CONFIG, CONFIG_DHCP);
  EXPECT_TRUE(RestIsZero(24));
}

TEST_F(WireTest, StaticRequestCarriesNetmaskGatewayAndAddress) {
  SelectDevice("192.168.0.10");
  std::snprintf(NewIpText, sizeof NewIpText, "10.0.0.2");
  std::snprintf(NewNetmaskText, sizeof NewNetmaskText, "255.0.0.0");
  std::snprintf(NewGatewayText, sizeof NewGatewayText, "10.0.0.1");
  ASSERT_EQ(PageStaticIpRequest(request), 68);
  ExpectDeviceHead(OP_CONFIG, CONFIG_STATIC);
  EXPECT_STREQ(reinterpret_cast<char*>(request + 24), "255.0.0.0");
  EXPECT_STREQ(reinterpret_cast<char*>(request + 40), "10.0.0.1");
  const std::uint8_t length[] = {8, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(request + 56, length, 4));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(request + 60), 8), "10.0.0.2");
  EXPECT_TRUE(RestIsZero(68));
}

TEST_F(WireTest, DeviceRequestsNeedTheSelectedDevice) {
  SelectDevice("192.168.0.10");
  std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "192.168.0.11");
  EXPECT_EQ(PageLoginRequest(request), 0);
  EXPECT_EQ(PageShareListRequest(request), 0);
  EXPECT_EQ(PageDhcpRequest(request), 0);
  EXPECT_EQ(PageStaticIpRequest(request), 0);
  EXPECT_TRUE(RestIsZero(0));
}

TEST_F(WireTest, OwnReplyComparesClientIdBytesZeroToFive) {
  std::vector<std::uint8_t> reply = ReplyHead(OP_CONFIG_REPLY, kTestClientId, "10.0.0.2");
  EXPECT_TRUE(IsOwnReply(reply.data(), static_cast<int>(reply.size())));
  reply[7] = 0xEE;  // bytes 7 to 10 are not compared
  reply[10] = 0xEE;
  EXPECT_TRUE(IsOwnReply(reply.data(), static_cast<int>(reply.size())));
  reply[6] ^= 1;
  EXPECT_FALSE(IsOwnReply(reply.data(), static_cast<int>(reply.size())));
  reply[6] ^= 1;
  EXPECT_FALSE(IsOwnReply(reply.data(), 6));  // too short to carry the six bytes
}

TEST_F(WireTest, ReplyAddressTextFromBytes17To20) {
  std::vector<std::uint8_t> reply(21, 0);
  reply[17] = 0xC0;
  reply[18] = 0xA8;
  reply[19] = 0x00;
  reply[20] = 0x0A;
  char text[ADDRESS_TEXT_SIZE];
  ASSERT_TRUE(ReplyAddressText(reply.data(), 21, text));
  EXPECT_STREQ(text, "192.168.0.10");
  reply[17] = reply[18] = reply[19] = reply[20] = 255;
  ASSERT_TRUE(ReplyAddressText(reply.data(), 21, text));
  EXPECT_STREQ(text, "255.255.255.255");
  EXPECT_FALSE(ReplyAddressText(reply.data(), 20, text));
}

void Decode(const std::vector<std::uint8_t>& reply, int interfaceIndex = 0) {
  DecodeSearchReply(reply.data(), static_cast<int>(reply.size()), interfaceIndex);
}

TEST_F(WireTest, ShortAndLongSearchRepliesFillARecord) {
  Decode(ShortSearchReply(kTestClientId, "192.168.0.10", "alpha", "255.255.0.0", "192.168.0.1",
                          '1'),
         3);
  Decode(LongSearchReply(kTestClientId, "192.168.0.11", "beta", 8, 1, "255.255.255.0",
                         "192.168.0.254", '0'));
  ASSERT_EQ(DeviceList.count, 2);
  const DeviceRecord* a = DeviceList.head;
  EXPECT_STREQ(a->name, "alpha");
  EXPECT_STREQ(a->ipText, "192.168.0.10");
  EXPECT_STREQ(a->netmaskText, "255.255.0.0");
  EXPECT_STREQ(a->gatewayText, "192.168.0.1");
  EXPECT_STREQ(a->dhcpFlag, "1");
  EXPECT_EQ(a->interfaceIndex, 3);
  const std::uint8_t identity[] = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 192, 168, 0, 10};
  EXPECT_EQ(0, std::memcmp(a->identity, identity, IDENTITY_SIZE));
  const DeviceRecord* b = DeviceList.tail;
  EXPECT_STREQ(b->name, "beta");
  EXPECT_STREQ(b->gatewayText, "192.168.0.254");
  EXPECT_STREQ(b->dhcpFlag, "0");
}

TEST_F(WireTest, FirstReplyForAnAddressWins) {
  Decode(LongSearchReply(kTestClientId, "192.168.0.10", "first", 8, 1), 1);
  Decode(ShortSearchReply(kTestClientId, "192.168.0.10", "second"), 0);
  ASSERT_EQ(DeviceList.count, 1);
  EXPECT_STREQ(DeviceList.head->name, "first");
  EXPECT_EQ(DeviceList.head->interfaceIndex, 1);
}

TEST_F(WireTest, MalformedSearchRepliesAreDropped) {
  std::vector<std::uint8_t> shortForm = ShortSearchReply(kTestClientId, "10.0.0.1", "abc");
  DecodeSearchReply(shortForm.data(), 59, 0);  // fixed part cut off
  DecodeSearchReply(shortForm.data(), 62, 0);  // name runs past the bytes received
  DecodeSearchReply(shortForm.data(), 0, 0);
  PutLength(shortForm, 56, 0xFFFFFFFFu);  // a length that would wrap a signed sum
  Decode(shortForm);
  std::vector<std::uint8_t> longForm = LongSearchReply(kTestClientId, "10.0.0.2", "abc", 8, 1);
  DecodeSearchReply(longForm.data(), 71, 0);
  EXPECT_EQ(DeviceList.count, 0);
}

TEST_F(WireTest, OverlongTextsAreCutToTheirFields) {
  const std::string name(300, 'n');
  std::vector<std::uint8_t> reply = ShortSearchReply(kTestClientId, "10.0.0.1", name);
  std::memset(&reply[24], '7', 32);  // netmask and gateway without a zero byte
  Decode(reply);
  ASSERT_EQ(DeviceList.count, 1);
  EXPECT_EQ(std::string(DeviceList.head->name), std::string(255, 'n'));
  EXPECT_EQ(std::string(DeviceList.head->netmaskText), std::string(15, '7'));
  EXPECT_EQ(std::string(DeviceList.head->gatewayText), std::string(15, '7'));
}

TEST_F(WireTest, NameStopsAtAZeroByteAndEmptyNameIsKept) {
  Decode(ShortSearchReply(kTestClientId, "10.0.0.1", std::string("ab\0cd", 5)));
  Decode(ShortSearchReply(kTestClientId, "10.0.0.2", ""));
  ASSERT_EQ(DeviceList.count, 2);
  EXPECT_STREQ(DeviceList.head->name, "ab");
  EXPECT_STREQ(DeviceList.tail->name, "");
}

std::vector<std::string> Shares() {
  std::vector<std::string> names;
  for (const ShareRecord* r = ShareList.head; r; r = r->next) names.push_back(r->name);
  return names;
}

void DecodeShares(const std::string& text) {
  std::vector<std::uint8_t> reply = testing_support::ShareListReply(kTestClientId, "1.2.3.4", text);
  DecodeShareList(reply.data(), static_cast<int>(reply.size()));
}

TEST_F(WireTest, ShareListSplitsLikeStrtok) {
  DecodeShares("::public::media:");
  EXPECT_EQ(Shares(), (std::vector<std::string>{"public", "media"}));
  ClearShareList();
  DecodeShares("a:b:a:b:c");
  EXPECT_EQ(Shares(), (std::vector<std::string>{"a", "b", "c"}));
  ClearShareList();
  DecodeShares(":::");
  DecodeShares("");
  EXPECT_EQ(ShareList.count, 0);
  DecodeShares(std::string("x:y\0z", 5));  // the text ends at its first zero byte
  EXPECT_EQ(Shares(), (std::vector<std::string>{"x", "y"}));
}

TEST_F(WireTest, ShareTextIsBoundedByTheDatagram) {
  // A full datagram whose text has no zero byte; the bytes after it are not zero either.
  std::vector<std::uint8_t> reply(DATAGRAM_SIZE + 64, 'q');
  reply[0] = OP_QUERY_REPLY;
  reply[100] = ':';
  DecodeShareList(reply.data(), DATAGRAM_SIZE);
  ASSERT_EQ(ShareList.count, 2);
  EXPECT_EQ(std::string(ShareList.head->name), std::string(72, 'q'));
  EXPECT_EQ(std::string(ShareList.tail->name), std::string(SHARE_NAME_SIZE - 1, 'q'));

  // Two long names that agree in their first 131 characters are one share.
  ClearShareList();
  DecodeShares(std::string(140, 's') + ":" + std::string(150, 's'));
  EXPECT_EQ(ShareList.count, 1);
  DecodeShareList(reply.data(), 27);
  DecodeShareList(reply.data(), 0);
  EXPECT_EQ(ShareList.count, 1);
}

}  // namespace
